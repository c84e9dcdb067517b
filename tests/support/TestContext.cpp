#include "support/TestContext.h"

#include "platform/CodePage.h"
#include "profile/ProfileDefaults.h"

namespace halvorn::test {

TestContext::TestContext(int codePage)
    : codec(platform::makeCodec(codePage)),
      files(record, custom, [this]() -> std::optional<std::filesystem::path> { return tempPath(); }),
      catalog(custom),
      ctx{record, *codec, prompter, files, custom, catalog, mailPresets, views} {
    applyProfileDefaults(record);
    views.narrow();
    record.setU8(rec::variantCode, static_cast<std::uint8_t>(kLayoutVariant));
}

std::filesystem::path TestContext::tempPath() const { return tempDir.path().toStdString(); }
std::filesystem::path TestContext::savePath() const { return saveDir.path().toStdString(); }

} // namespace halvorn::test
