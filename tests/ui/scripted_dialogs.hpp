// Dialog answers given in advance, and a record of what the window asked and
// showed: the window's tests drive it without any real dialog.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <deque>

#include "ui/dialogs.hpp"

namespace velquist::testing {

class TScriptedDialogs : public TDialogs {
  public:
    // Answers, used first to last; a question without an answer fails the test.
    std::deque<std::optional<QStringList>> OpenAnswers;
    std::deque<std::optional<TSaveChoice>> SaveAnswers;
    std::deque<bool> ConfirmAnswers;

    // What the window set up, asked and showed.
    QString InitialFolder;
    QStringList Filters;
    QStringList Questions, Messages, Errors, Warnings;
    QList<QUrl> Urls;
    // Message or error boxes shown while the busy cursor was still up.
    int ShownWhileBusy = 0;

    void SetUpFileDialogs(const QString& initialFolder, const QStringList& filters) override {
        InitialFolder = initialFolder;
        Filters = filters;
    }
    std::optional<QStringList> OpenReports() override { return Next(OpenAnswers, "open"); }
    std::optional<TSaveChoice> SaveResult() override { return Next(SaveAnswers, "save"); }
    bool ConfirmDelete(const QString& question) override {
        Questions << question;
        return Next(ConfirmAnswers, "confirm");
    }
    void ShowMessage(const QString& text) override {
        Messages << text;
        NoteCursor();
    }
    void ShowError(const QString& text) override {
        Errors << text;
        NoteCursor();
    }
    void ShowWarning(const QString& text) override {
        Warnings << text;
        NoteCursor();
    }
    void OpenUrl(const QUrl& address) override { Urls << address; }

  private:
    void NoteCursor() {
        if (QApplication::overrideCursor() != nullptr) ++ShownWhileBusy;
    }

    template <typename T>
    static T Next(std::deque<T>& answers, const char* dialog) {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected " << dialog << " dialog";
            return T{};
        }
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace velquist::testing
