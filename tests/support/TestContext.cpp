#include "support/TestContext.h"

#include "platform/CodePage.h"
#include "profile/ProfileDefaults.h"

namespace halvorn::test {

namespace {
// A call that looks up the current entry of `calls` each time.
template <auto Entry> auto forward(platform::SysCalls& calls) {
    return [&calls](auto... args) { return (calls.*Entry)(args...); };
}
platform::SysCalls forwardingTo(platform::SysCalls& calls) {
    using S = platform::SysCalls;
    return {forward<&S::openFolder>(calls), forward<&S::openat>(calls),   forward<&S::write>(calls),
            forward<&S::read>(calls),       forward<&S::fsync>(calls),    forward<&S::dropCache>(calls),
            forward<&S::close>(calls),      forward<&S::renameat>(calls), forward<&S::unlinkat>(calls)};
}
} // namespace

TestContext::TestContext(int codePage)
    : codec(platform::makeCodec(codePage)),
      files(
          record, custom, [this]() -> std::optional<std::filesystem::path> { return tempPath(); },
          forwardingTo(sysCalls)),
      catalog(custom), ctx{record, *codec, prompter, files, custom, catalog, mailPresets, views} {
    applyProfileDefaults(record);
    views.narrow();
    record.setU8(rec::variantCode, static_cast<std::uint8_t>(kLayoutVariant));
}

} // namespace halvorn::test
