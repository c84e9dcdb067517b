#pragma once
// A main window on a test context, with helpers to fill its form and to look
// at the record and the files a save writes.

#include "profile/ProfileDefaults.h"
#include "profile/ProfileFormat.h"
#include "profile/ProfileScramble.h"
#include "profile/ProfileText.h"
#include "support/TestContext.h"
#include "ui/main/DlgGSM.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace halvorn::test {

class MainWindowTest : public ::testing::Test {
protected:
    TestContext t;
    FakeFrame frame;
    std::unique_ptr<ui::DlgGSM> window;

    // Opens the window on the record as it is now (again, if it was open).
    ui::DlgGSM& open() {
        window.reset();
        window = std::make_unique<ui::DlgGSM>(t.ctx, frame);
        return *window;
    }
    ui::DlgGSM& gsm() { return window ? *window : open(); }
    const ui::DlgGSM::Controls& c() { return gsm().controls(); }
    ui::DlgGSM::Values& v() { return gsm().values(); }
    ProfileRecord& record() { return t.record; }

    // What a user does with a list: picks the item, and the window reacts.
    void pick(QComboBox* list, int position) {
        list->setCurrentIndex(position);
        emit list->activated(position);
    }
    void setPhone(int n, const QString& text) { c().phoneFields[static_cast<std::size_t>(n - 1)]->setText(text); }
    void setMail(int n, const QString& text) { c().mailFields[static_cast<std::size_t>(n - 1)]->setText(text); }

    void putText(Field field, const std::u16string& text) {
        record().clear(field.offset, field.width);
        ASSERT_EQ(halvorn::storeText(record().area(field), text, *t.codec), TextStatus::Stored);
    }
    std::u16string text(Field field) { return loadText(record().area(field), *t.codec); }

    // The message shown, checked to be the only one.
    void expectOnlyMessage(const QString& title, const QString& text, ui::MessageIcon icon) {
        const Prompt m = t.prompter.onlyMessage();
        EXPECT_EQ(m.title, title);
        EXPECT_EQ(m.text, text);
        EXPECT_EQ(m.icon, icon);
    }

    std::filesystem::path profileBinPath() const { return t.savePath() / kProfileBinName; }
    std::filesystem::path backupPath() const { return t.tempPath() / kBackupName; }

    static std::optional<std::vector<std::uint8_t>> readFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) return std::nullopt;
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The record bytes 20 to 1015 a PROFILE.BIN carries, unscrambled.
    static std::vector<std::uint8_t> decodeProfileBin(std::vector<std::uint8_t> file) {
        ProfileScramble::unscramble(file);
        return file;
    }
    static std::vector<std::uint8_t> recordTail(const ProfileRecord& r) {
        return {r.bytes().begin() + kProfileBinOffset, r.bytes().end()};
    }
};

} // namespace halvorn::test
