// The real window with scripted dialogs, shown on the offscreen platform, and
// small helpers that act on its controls by name as a user would.
#pragma once

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <memory>

#include "scripted_dialogs.hpp"
#include "ui/main_form.hpp"

namespace velquist::testing {

class WindowTest : public ::testing::Test {
  protected:
    TScriptedDialogs* Dialogs = nullptr;
    std::unique_ptr<TMainForm> Form;

    void SetUp() override {
        auto dialogs = std::make_unique<TScriptedDialogs>();
        Dialogs = dialogs.get();
        Form = std::make_unique<TMainForm>(std::move(dialogs));
        Form->show();
        QApplication::setActiveWindow(Form.get());
    }

    template <typename T>
    T* Child(const char* name) const {
        T* child = Form->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    QListWidget* List() const { return Child<QListWidget>("lbxReports"); }

    QStringList Lines() const {
        QStringList lines;
        for (int i = 0; i < List()->count(); ++i) lines << List()->item(i)->text();
        return lines;
    }

    // Adds the files through the "Add reports to merge" button.
    void AddReports(const QStringList& files) {
        Dialogs->OpenAnswers.push_back(files);
        Click("Button1");
    }

    void Click(const char* button) { QTest::mouseClick(Child<QWidget>(button), Qt::LeftButton); }

    // Selects exactly the given 0-based lines, as Ctrl+clicks would.
    void SelectLines(std::initializer_list<int> rows) {
        List()->clearSelection();
        for (int row : rows) List()->item(row)->setSelected(true);
    }

    void PressDelete(QWidget* control) {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Delete);
    }
};

}  // namespace velquist::testing
