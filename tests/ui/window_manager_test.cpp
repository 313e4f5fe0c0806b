// What the window manager shows: the captions of the window and of its boxes,
// as the X property task bars and window lists read. CTest runs this suite
// under Xvfb; on the offscreen platform it is skipped.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <functional>

#include "answered_dialogs.hpp"
#include "ui/main_form.hpp"

namespace velquist {
namespace {

// The window's _NET_WM_NAME as xprop prints it: NAME = "caption".
QString WindowManagerName(const QWidget& window) {
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(window.winId()), "-notype", "_NET_WM_NAME"});
    if (!xprop.waitForFinished(10000)) return "(xprop did not answer)";
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype open = out.indexOf('"');
    return open < 0 ? out : out.mid(open + 1, out.lastIndexOf('"') - open - 1);
}

// The caption once the window manager has it, or the last one read.
QString CaptionSeen(const QWidget& window, const QString& expected) {
    QString caption;
    if (QTest::qWaitFor([&] { return (caption = WindowManagerName(window)) == expected; }, 5000))
        return expected;
    return caption;
}

struct TCaptionCase {
    const char* Name;
    std::function<void(TQtDialogs&)> Show;
    QString Caption;
};

TEST(WindowUnderX, CaptionsAreTheTitlesWithNothingAppended) {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server";
    ASSERT_FALSE(QStandardPaths::findExecutable("xprop").isEmpty()) << "xprop (x11-utils)";
    // None of the window's own dialogs opens here; the owner keeps what they create.
    QWidget owner;
    TMainForm form(std::make_unique<testing::TAnsweredQtDialogs>(&owner));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(CaptionSeen(form, "Zidaz UV4 Eduzida https://www.velquist.com"),
              "Zidaz UV4 Eduzida https://www.velquist.com");

    const TCaptionCase boxes[] = {
        {"confirm", [](TQtDialogs& d) { d.ConfirmDelete("Delete terminals (1) ?"); }, "Confirm"},
        {"error", [](TQtDialogs& d) { d.ShowError("text"); }, "Zidaz UV4 Eduzida"},
        {"message", [](TQtDialogs& d) { d.ShowMessage("text"); }, "Zidaz UV4 Eduzida"},
    };
    testing::TAnsweredQtDialogs dialogs(&form);
    for (const TCaptionCase& c : boxes) {
        SCOPED_TRACE(c.Name);
        QString seen;
        dialogs.Answer = [&](QDialog& box) {
            box.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
            seen = CaptionSeen(box, c.Caption);
            box.hide();
            return int(QMessageBox::No);
        };
        c.Show(dialogs);
        EXPECT_EQ(seen, c.Caption);
    }
}

}  // namespace
}  // namespace velquist
