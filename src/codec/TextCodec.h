#pragma once
// Conversion between wide text and the 8-bit code page that texts in the
// record are stored in. The platform layer supplies the implementation for the
// code page of the running program; tests choose one.

#include <optional>
#include <string>
#include <string_view>

namespace halvorn {

class TextCodec {
public:
    virtual ~TextCodec() = default;
    // The Windows code page number this codec stands for (932, 936, 1252 ...).
    virtual int codePage() const = 0;
    // The bytes of the text, or nothing when a character cannot be represented.
    virtual std::optional<std::string> encode(std::u16string_view text) const = 0;
    // Wide text of the bytes; bytes without a mapping are replaced, never dropped silently.
    virtual std::u16string decode(std::string_view bytes) const = 0;
};

} // namespace halvorn
