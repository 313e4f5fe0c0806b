// The real dialogs and message boxes, handed to the test just before they
// would be shown, so that it looks at them and answers them.
#pragma once

#include <QDialog>
#include <functional>

#include "ui/dialogs.hpp"

namespace velquist::testing {

class TAnsweredQtDialogs : public TQtDialogs {
  public:
    using TQtDialogs::TQtDialogs;
    std::function<int(QDialog&)> Answer;

  protected:
    int Exec(QDialog& dialog) override { return Answer(dialog); }
};

}  // namespace velquist::testing
