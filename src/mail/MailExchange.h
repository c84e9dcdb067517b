#pragma once
// What the mail account dialog and the test-mail sender (halvorn-mail, a
// program of its own) say to each other through the sender's standard input
// and output. Every value travels in base64, so no text of either side can
// break a line or fake a field; every line the sender writes is one of those
// below.
//
//   request (standard input):   "<name> <base64 value>" lines, then "end"
//   answer (standard output):   "stage connecting|authenticating|sending" lines,
//                               then one "result <failure> <0|1> <reply> <detail>"
//                               (the flag: the server checked the password;
//                               reply and detail in base64, "-" when empty)

#include <optional>
#include <string>
#include <string_view>

namespace halvorn::mail {

// How the connection is secured, by the encryption code of the mail entry
// (0x40 none, 0x41 SSL/TLS from the first byte, 0x42 STARTTLS required).
enum class Security { Plain, Tls, StartTls };

// Texts in UTF-8.
struct MailRequest {
    std::string server;
    int port = 0;
    Security security = Security::StartTls;
    std::string account, password;
    std::string sender, recipient;
    std::string subject, body;
    std::string caFile; // certificates to trust; empty: the system's
};

enum class Stage { Connecting, Authenticating, Sending };

enum class Failure {
    None,
    ServerNotFound,
    ConnectionRefused,
    TimedOut,
    TlsFailed,
    CertificateUntrusted,
    StartTlsMissing,  // we asked for STARTTLS, the server has none
    StartTlsRequired, // the server wants STARTTLS before it goes on
    AuthenticationRefused,
    SenderRefused,
    RecipientRefused,
    Refused, // a text of the request the sender will not put into a command
    Other,
    // Known to the window only:
    Cancelled,
    SenderFailed, // the sender could not be started, stopped without a result or said something else
};

struct MailOutcome {
    Failure failure = Failure::None;
    bool authenticated = false; // the server asked for the password and took it
    std::string reply;          // the server's reply to the command that failed, secrets removed
    std::string detail;         // the sender's own words on the failure
};

// The longest request and the longest answer either side reads.
constexpr std::size_t kLongestRequest = std::size_t{64} * 1024;
constexpr std::size_t kLongestAnswer = std::size_t{16} * 1024;

std::string encodeRequest(const MailRequest& request);
std::optional<MailRequest> decodeRequest(std::string_view text);

std::string stageLine(Stage stage);
std::string resultLine(const MailOutcome& outcome);
// One line of the sender's answer, without its line end.
struct AnswerLine {
    std::optional<Stage> stage;
    std::optional<MailOutcome> result;
};
std::optional<AnswerLine> decodeAnswerLine(std::string_view line);

std::string base64(std::string_view bytes);
std::optional<std::string> fromBase64(std::string_view text);

} // namespace halvorn::mail
