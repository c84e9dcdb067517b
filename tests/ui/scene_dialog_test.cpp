// The scene customization dialog on its own: it edits a triple of working
// values and writes it back only with "OK".
#include "CameraTestHelpers.h"

#include "ui/dialogs/DlgCamPro.h"

#include <QGroupBox>
#include <QPushButton>

using namespace halvorn;
using namespace halvorn::test;
using ui::DlgCamPro;
using ui::SceneTriple;

namespace {

struct SceneDialogTest : ::testing::Test {
    TestContext t;
    DlgCamPro dlg{t.ctx};
    SceneTriple triple{1, 2, 0}; // the profile defaults: 3MP, High, 1 Photo

    QComboBox* L(const char* name) { return list(&dlg, QString::fromLatin1(name)); }
    int open(const std::function<int(DlgCamPro&)>& inside) {
        t.prompter.dialogs.push_back([this, inside](QDialog& d) {
            EXPECT_EQ(&d, &dlg);
            return inside(dlg);
        });
        return dlg.openModal(triple);
    }
};

TEST_F(SceneDialogTest, OpensOnTheTriple) {
    open([&](DlgCamPro& d) {
        EXPECT_EQ(d.windowTitle(), "Camera Scene Customer Setting");
        EXPECT_EQ(L("Photo Size")->currentText(), "3MP");
        EXPECT_EQ(L("Flash Power")->currentText(), "High");
        EXPECT_EQ(L("Photo Burst")->currentText(), "1 Photo");
        return QDialog::Rejected;
    });
    triple = {4, 0, 9};
    open([&](DlgCamPro&) {
        EXPECT_EQ(L("Photo Size")->currentText(), "12MP");
        EXPECT_EQ(L("Flash Power")->currentText(), "Low");
        EXPECT_EQ(L("Photo Burst")->currentText(), "10 Photos");
        return QDialog::Rejected;
    });
}

TEST_F(SceneDialogTest, ListsInOrderWithTheirItems) {
    EXPECT_EQ(itemsOf(L("Photo Size")), (QStringList{"1.3MP", "3MP", "8MP", "10MP", "12MP"}));
    EXPECT_EQ(itemsOf(L("Flash Power")), (QStringList{"Low", "Medium", "High"}));
    EXPECT_EQ(itemsOf(L("Photo Burst")), (QStringList{"1 Photo", "2 Photos", "3 Photos", "4 Photos", "5 Photos",
                                                      "6 Photos", "7 Photos", "8 Photos", "9 Photos", "10 Photos"}));
    // One below the other: size, flash, burst.
    EXPECT_LT(L("Photo Size")->y(), L("Flash Power")->y());
    EXPECT_LT(L("Flash Power")->y(), L("Photo Burst")->y());
    for (const char* name : {"Photo Size", "Flash Power", "Photo Burst"}) {
        EXPECT_EQ(labelOf(&dlg, L(name))->text(), name);
        EXPECT_EQ(L(name)->accessibleDescription(), name);
    }

    QLabel* note = nullptr;
    for (QLabel* l : dlg.findChildren<QLabel*>())
        if (l->text() == "The Max MP of night photo is 3MP") note = l;
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->alignment() & Qt::AlignHCenter);
    auto* box = qobject_cast<QGroupBox*>(note->parentWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->title().isEmpty());
    EXPECT_EQ(L("Photo Size")->parentWidget(), box);

    QStringList buttons;
    for (QPushButton* b : dlg.findChildren<QPushButton*>()) {
        buttons << b->text();
        EXPECT_FALSE(b->isDefault());
        EXPECT_FALSE(b->autoDefault());
        EXPECT_GT(b->y(), box->geometry().bottom());
    }
    EXPECT_EQ(buttons, (QStringList{"OK", "Cancel"}));
}

TEST_F(SceneDialogTest, OkWritesEveryCombinationWithoutAMessage) {
    const int result = open([&](DlgCamPro& d) {
        choose(L("Photo Size"), 4);  // 12MP
        choose(L("Flash Power"), 2); // High
        choose(L("Photo Burst"), 9); // 10 Photos
        return press(d, "OK");
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(triple, (SceneTriple{4, 2, 9}));
    EXPECT_TRUE(t.prompter.messages().empty());
}

TEST_F(SceneDialogTest, CancelAndEscapeLeaveTheTriple) {
    const int cancelled = open([&](DlgCamPro& d) {
        choose(L("Photo Size"), 0);
        choose(L("Flash Power"), 1);
        choose(L("Photo Burst"), 4);
        return press(d, "Cancel");
    });
    EXPECT_EQ(cancelled, QDialog::Rejected);
    EXPECT_EQ(triple, (SceneTriple{1, 2, 0}));

    const int escaped = open([&](DlgCamPro& d) {
        choose(L("Photo Size"), 3);
        QTest::keyClick(&d, Qt::Key_Escape);
        return d.result();
    });
    EXPECT_EQ(escaped, QDialog::Rejected);
    EXPECT_EQ(triple, (SceneTriple{1, 2, 0}));
}

TEST_F(SceneDialogTest, ReopeningDropsWhatAnEarlierCancelLeftInTheLists) {
    open([&](DlgCamPro& d) {
        choose(L("Photo Burst"), 7);
        return press(d, "Cancel");
    });
    open([&](DlgCamPro&) {
        EXPECT_EQ(L("Photo Burst")->currentText(), "1 Photo");
        return QDialog::Rejected;
    });
}

TEST_F(SceneDialogTest, OutOfRangeValueShowsNothingAndComesBackAsMinusOne) {
    triple = {5, 200, 10};
    open([&](DlgCamPro& d) {
        EXPECT_EQ(L("Photo Size")->currentIndex(), -1);
        EXPECT_EQ(L("Flash Power")->currentIndex(), -1);
        EXPECT_EQ(L("Photo Burst")->currentIndex(), -1);
        choose(L("Flash Power"), 1);
        return press(d, "OK");
    });
    EXPECT_EQ(triple, (SceneTriple{-1, 1, -1}));
}

// Through the camera settings dialog: the triple reaches bytes 22 to 24 only with its "OK".
TEST(SceneThroughCameraDialog, MinusOneIsStoredAs255) {
    TestContext t;
    t.record.setU8(rec::photoSize, 9);
    ui::DlgCAM cam(t.ctx);
    runCamera(t, cam, [&](ui::DlgCAM& d) {
        onSceneDialog(t, [](QDialog& s) {
            EXPECT_EQ(list(&s, "Photo Size")->currentIndex(), -1);
            return press(s, "OK");
        });
        choose(list(&d, "Camera Scene"), 7);
        return press(d, "OK");
    });
    EXPECT_EQ(t.record.u8(rec::photoSize), 255);
    EXPECT_EQ(t.record.u8(rec::flashPower), 2);
}

TEST(SceneThroughCameraDialog, DefaultResetsTheTripleBeforeTheSceneDialogOpens) {
    TestContext t;
    t.record.setU8(rec::photoSize, 4);
    t.record.setU8(rec::photoBurst, 6);
    t.record.setU8(rec::flashPower, 0);
    ui::DlgCAM cam(t.ctx);
    runCamera(t, cam, [&](ui::DlgCAM& d) {
        press(d, "Default");
        onSceneDialog(t, [](QDialog& s) {
            EXPECT_EQ(list(&s, "Photo Size")->currentText(), "3MP");
            EXPECT_EQ(list(&s, "Flash Power")->currentText(), "High");
            EXPECT_EQ(list(&s, "Photo Burst")->currentText(), "1 Photo");
            return press(s, "Cancel");
        });
        choose(list(&d, "Camera Scene"), 7);
        return press(d, "Cancel");
    });
    EXPECT_TRUE(t.prompter.dialogs.empty());
    EXPECT_EQ(t.record.u8(rec::photoSize), 4);
}

} // namespace
