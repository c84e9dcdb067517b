// halvorn-mail: sends one test mail for the mail account dialog, which starts
// it, hands it the request on standard input and reads its stages and result
// from standard output (mail/MailExchange.h). It runs in a process of its own
// so that the window never loads the network library and can end an attempt
// at once with a kill, whatever a server or the name service does; on its own
// it ends within 30 s.

#include "mail/MailExchange.h"
#include "mail/MailText.h"
#include "rules/MailRules.h"

#include <curl/curl.h>

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>

#include <fcntl.h>
#include <io.h>
#else
#include <netdb.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <memory>
#include <mutex>
#include <random>
#include <thread>

namespace {

using namespace halvorn::mail;
using Clock = std::chrono::steady_clock;

#ifdef _WIN32
using ssize_t = std::ptrdiff_t;
ssize_t writeOut(const char* bytes, std::size_t n) { return ::_write(1, bytes, static_cast<unsigned>(n)); }
ssize_t readIn(char* bytes, std::size_t n) { return ::_read(0, bytes, static_cast<unsigned>(n)); }
void closeSocket(SOCKET s) { ::closesocket(s); }
constexpr SOCKET kNoSocket = INVALID_SOCKET;
#else
ssize_t writeOut(const char* bytes, std::size_t n) { return ::write(STDOUT_FILENO, bytes, n); }
ssize_t readIn(char* bytes, std::size_t n) { return ::read(STDIN_FILENO, bytes, n); }
void closeSocket(int s) { ::close(s); }
constexpr int kNoSocket = -1;
#endif

constexpr auto kConnectTime = std::chrono::seconds(10);
constexpr auto kTotalTime = std::chrono::seconds(30);
constexpr auto kGoodbyeTime = std::chrono::seconds(3); // for QUIT, once the result is out
constexpr std::size_t kLongestReply = 2048;

// Standard output, shared with the watchdog: after the result nothing more is written.
class Answer {
public:
    void stage(Stage s) { write(stageLine(s), false); }
    void result(const MailOutcome& outcome) { write(resultLine(outcome), true); }

private:
    void write(const std::string& line, bool last) {
        const std::lock_guard lock(mutex_);
        if (done_) return;
        done_ = last;
        for (std::size_t at = 0; at < line.size();) {
            const ssize_t n = writeOut(line.data() + at, line.size() - at);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) _exit(2); // nobody reads any more
            at += static_cast<std::size_t>(n);
        }
    }
    std::mutex mutex_;
    bool done_ = false;
};

Answer answer;

// Ends the process at its deadline, with a time-out result unless one was given; the deadline only comes closer.
class Watchdog {
public:
    explicit Watchdog(Clock::time_point deadline) : deadline_(deadline) {
        std::thread([this] {
            std::unique_lock lock(mutex_);
            while (!changed_.wait_until(lock, deadline_, [this] { return Clock::now() >= deadline_; })) {
            }
            answer.result({Failure::TimedOut, false, {}, "no result within 30 s"});
            _exit(0);
        }).detach();
    }
    void bringForward(Clock::time_point deadline) {
        const std::lock_guard lock(mutex_);
        deadline_ = std::min(deadline_, deadline);
        changed_.notify_all();
    }
    Clock::time_point deadline() {
        const std::lock_guard lock(mutex_);
        return deadline_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    Clock::time_point deadline_;
};

std::optional<std::string> readRequest() {
    std::string text;
    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t n = readIn(buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return std::nullopt;
        if (n == 0) return text;
        text.append(buffer.data(), static_cast<std::size_t>(n));
        if (text.size() > kLongestRequest) return std::nullopt;
        if (text == "end\n" || text.ends_with("\nend\n")) return text;
    }
}

// The first address of the server, looked up on a thread of its own: a name
// service that never answers costs the connect time, not the process.
struct Resolved {
    sockaddr_storage address{};
    socklen_t length = 0;
    std::string text; // for libcurl's own table, so that it connects exactly there
};

std::optional<Resolved> resolve(const std::string& host, int port, Clock::time_point until) {
    auto promise = std::make_shared<std::promise<std::optional<Resolved>>>();
    auto found = promise->get_future();
    std::thread([promise, host, port] {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        hints.ai_flags = AI_ADDRCONFIG;
        addrinfo* list = nullptr;
        if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list) != 0 || list == nullptr) {
            promise->set_value(std::nullopt);
            return;
        }
        Resolved r;
        std::memcpy(&r.address, list->ai_addr, list->ai_addrlen);
        r.length = static_cast<socklen_t>(list->ai_addrlen);
        std::array<char, NI_MAXHOST> text{};
        getnameinfo(list->ai_addr, static_cast<socklen_t>(list->ai_addrlen), text.data(),
                    static_cast<socklen_t>(text.size()), nullptr, 0, NI_NUMERICHOST);
        r.text = list->ai_family == AF_INET6 ? "[" + std::string(text.data()) + "]" : std::string(text.data());
        freeaddrinfo(list);
        promise->set_value(std::move(r));
    }).detach();
    if (found.wait_until(until) != std::future_status::ready) return std::nullopt;
    return found.get();
}

// This end of a connection to the address: a datagram socket is routed without sending anything.
std::string localLiteral(const Resolved& server) {
    const auto s = ::socket(server.address.ss_family, SOCK_DGRAM, 0);
    sockaddr_storage local{};
    socklen_t length = sizeof local;
    const bool ok = s != kNoSocket &&
                    ::connect(s, reinterpret_cast<const sockaddr*>(&server.address), server.length) == 0 &&
                    ::getsockname(s, reinterpret_cast<sockaddr*>(&local), &length) == 0;
    if (s != kNoSocket) closeSocket(s);
    return ok ? addressLiteral(&local) : "[127.0.0.1]";
}

// The command the client sent last, and the server's reply to each.
enum class Command { None, Greeting, Ehlo, StartTls, Auth, MailFrom, RcptTo, Data, Quit, Count };

struct Transfer {
    std::string message;
    std::size_t sent = 0;
    Command current = Command::Greeting;
    std::array<std::string, static_cast<std::size_t>(Command::Count)> replies;
    bool authSent = false;
    bool authAccepted = false;
    bool replyEnded = true; // the last reply line came: the next line starts a new reply
    bool sendingSaid = false;
    bool quitting = false;
    std::string& reply(Command c) { return replies[static_cast<std::size_t>(c)]; }
};

std::size_t readMessage(char* buffer, std::size_t size, std::size_t count, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::size_t n = std::min(size * count, t->message.size() - t->sent);
    std::copy_n(t->message.data() + t->sent, n, buffer);
    t->sent += n;
    return n;
}

// Sees the commands go out (never keeping one: AUTH lines carry the password) and the replies come in.
int watchProtocol(CURL*, curl_infotype type, char* data, std::size_t size, void* user) {
    auto* t = static_cast<Transfer*>(user);
    const std::string_view line(data, size);
    if (type == CURLINFO_HEADER_OUT) {
        const auto is = [&](std::string_view c) { return line.size() >= c.size() && line.substr(0, c.size()) == c; };
        const Command c = is("EHLO") || is("HELO") ? Command::Ehlo
                          : is("STARTTLS")         ? Command::StartTls
                          : is("AUTH")             ? Command::Auth
                          : is("MAIL FROM")        ? Command::MailFrom
                          : is("RCPT TO")          ? Command::RcptTo
                          : is("DATA")             ? Command::Data
                          : is("QUIT")             ? Command::Quit
                                                   : Command::None; // the rest of an AUTH exchange
        if (c == Command::None) return 0;
        if (c == Command::Quit) t->quitting = true; // a failure stays the last command's; QUIT's reply goes apart
        if (c == Command::Auth && !t->authSent) answer.stage(Stage::Authenticating);
        if (c == Command::MailFrom && !t->sendingSaid) answer.stage(Stage::Sending), t->sendingSaid = true;
        t->authSent = t->authSent || c == Command::Auth;
        if (!t->quitting) t->current = c;
        t->reply(c).clear();
    } else if (type == CURLINFO_HEADER_IN) {
        // Each command's last whole reply; a multi-line reply is "250-…" lines ending in one "250 …".
        const std::string_view text = line.substr(0, std::min(line.find_first_of("\r\n"), kLongestReply));
        std::string& reply = t->reply(t->quitting ? Command::Quit : t->current);
        if (t->replyEnded) reply.clear();
        t->replyEnded = text.size() <= 3 || text[3] != '-';
        if (!reply.empty()) reply += '\n';
        reply.append(text);
        reply.resize(std::min(reply.size(), kLongestReply));
        if (t->current == Command::Auth && text.starts_with("235")) t->authAccepted = true;
    }
    return 0;
}

bool mentionsStartTls(const std::string& reply) {
    std::string up = reply;
    for (char& c : up)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return reply.starts_with("530") && up.find("STARTTLS") != std::string::npos;
}

Failure failureOf(CURLcode code, Transfer& t) {
    switch (code) {
    case CURLE_OK:
        return Failure::None;
    case CURLE_COULDNT_RESOLVE_HOST:
        return Failure::ServerNotFound;
    case CURLE_COULDNT_CONNECT:
        return Failure::ConnectionRefused;
    case CURLE_OPERATION_TIMEDOUT:
        return Failure::TimedOut;
    case CURLE_USE_SSL_FAILED:
        return Failure::StartTlsMissing;
    case CURLE_PEER_FAILED_VERIFICATION:
        return Failure::CertificateUntrusted;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
        return Failure::TlsFailed;
    default:
        break;
    }
    if (mentionsStartTls(t.reply(t.current))) return Failure::StartTlsRequired;
    if (code == CURLE_LOGIN_DENIED) return Failure::AuthenticationRefused;
    if (t.current == Command::MailFrom) return Failure::SenderRefused;
    if (t.current == Command::RcptTo) return Failure::RecipientRefused;
    return Failure::Other;
}

std::string uniquePart(std::time_t now) {
    std::random_device random;
    std::array<char, 40> text{};
    std::snprintf(text.data(), text.size(), "%llx.%08x%08x", static_cast<unsigned long long>(now), random(), random());
    return text.data();
}

MailOutcome send(const MailRequest& r, Watchdog& watchdog, CURL*& easy, curl_slist*& recipients) {
    const auto started = Clock::now();
    const auto resolved = resolve(r.server, r.port, started + kConnectTime);
    if (!resolved) return {Failure::ServerNotFound, false, {}, "the name could not be looked up"};

    const std::time_t now = std::time(nullptr);
    auto* t = new Transfer; // lives until the process ends
    t->message = composeMessage(r, now, uniquePart(now));
    const bool literal = r.server.find(':') != std::string::npos;
    const std::string host = literal ? "[" + r.server + "]" : r.server;
    const std::string scheme = r.security == Security::Tls ? "smtps://" : "smtp://";
    // The URL's path is the name EHLO gives: this end's address literal, percent-encoded.
    std::string ehlo = localLiteral(*resolved);
    std::string path;
    for (char c : ehlo)
        path += c == '[' ? "%5B" : c == ']' ? "%5D" : c == ':' ? "%3A" : std::string(1, c);
    const std::string url = scheme + host + ":" + std::to_string(r.port) + "/" + path;
    const std::string pinned = host + ":" + std::to_string(r.port) + ":" + resolved->text;
    const std::string from = "<" + r.sender + ">", to = "<" + r.recipient + ">";
    static std::array<char, CURL_ERROR_SIZE> error{};

    easy = curl_easy_init();
    if (easy == nullptr) return {Failure::Other, false, {}, "the mail library could not start"};
    recipients = curl_slist_append(nullptr, to.c_str());
    curl_slist* pin = literal ? nullptr : curl_slist_append(nullptr, pinned.c_str());
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(watchdog.deadline() - Clock::now());
    const auto connectLeft =
        std::chrono::duration_cast<std::chrono::milliseconds>(started + kConnectTime - Clock::now());
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    if (pin != nullptr) curl_easy_setopt(easy, CURLOPT_RESOLVE, pin);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, error.data());
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(std::max<long long>(connectLeft.count(), 1)));
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(std::max<long long>(left.count() - 500, 1)));
    // The certificate and the host name are always checked.
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!r.caFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, r.caFile.c_str());
    if (r.security == Security::StartTls) curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    if (!r.account.empty()) {
        curl_easy_setopt(easy, CURLOPT_USERNAME, r.account.c_str());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, r.password.c_str());
        // The two mechanisms whose every form of the secret is known, so that none can be shown.
        curl_easy_setopt(easy, CURLOPT_LOGIN_OPTIONS, "AUTH=PLAIN;AUTH=LOGIN");
    }
    curl_easy_setopt(easy, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(easy, CURLOPT_MAIL_RCPT, recipients);
    curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(easy, CURLOPT_READFUNCTION, readMessage);
    curl_easy_setopt(easy, CURLOPT_READDATA, t);
    curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, watchProtocol);
    curl_easy_setopt(easy, CURLOPT_DEBUGDATA, t);
    curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);

    const CURLcode code = curl_easy_perform(easy);
    const Failure failure = failureOf(code, *t);
    const std::string reply = failure == Failure::None ? std::string() : t->reply(t->current);
    const std::string detail = code == CURLE_OK ? std::string()
                               : error[0] != 0  ? error.data()
                                                : curl_easy_strerror(code);
    const bool checked = t->authAccepted;
    return {failure, checked, withoutSecrets(reply, r.account, r.password),
            withoutSecrets(detail, r.account, r.password)};
}

} // namespace

// Every way out is _exit: the watchdog's thread outlives main, so nothing may be destroyed under it.
int main() {
#ifdef _WIN32
    // The request and the answer are bytes; the network is the system's once libcurl is set up.
    ::_setmode(0, _O_BINARY);
    ::_setmode(1, _O_BINARY);
#else
    ::signal(SIGPIPE, SIG_IGN);
#endif
    Watchdog watchdog(Clock::now() + kTotalTime);
    const auto text = readRequest();
    const auto request = text ? decodeRequest(*text) : std::nullopt;
    if (!request) {
        answer.result({Failure::Refused, false, {}, "the request could not be read"});
        _exit(1);
    }
    const MailRequest& r = *request;
    // Checked again here: these texts go into commands, the server name into the URL.
    using halvorn::rules::fitsMailCommand;
    if (!fitsMailCommand(std::string_view(r.sender)) || !fitsMailCommand(std::string_view(r.recipient)) ||
        !fitsMailCommand(std::string_view(r.account)) || !isServerName(r.server) || r.port < 1 || r.port > 65535) {
        answer.result({Failure::Refused, false, {}, "a text of the request cannot go into a mail command"});
        _exit(1);
    }
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        answer.result({Failure::Other, false, {}, "the mail library could not start"});
        _exit(1);
    }
    answer.stage(Stage::Connecting);
    CURL* easy = nullptr;
    curl_slist* recipients = nullptr;
    answer.result(send(r, watchdog, easy, recipients));
    // The result is out; saying goodbye to the server may take a little longer, but not much.
    watchdog.bringForward(Clock::now() + kGoodbyeTime);
    if (easy != nullptr) curl_easy_cleanup(easy);
    curl_slist_free_all(recipients);
    _exit(0);
}
