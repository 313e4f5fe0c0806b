// The merged report's numbers must all be finite: a page never says "INF" or
// "NAN". Money of the size no account holds (which the reader warns about)
// can make the merged sums overflow; TSumWatch follows the files' money in
// their order to tell which file did it.
#pragma once

#include <string>

#include "model/report.hpp"

namespace velquist {

class TSumWatch {
  public:
    // Adds the deposit and the profits of one report just read.
    void Add(const TMT4TestReport& report, const std::string& fileName);
    // The file to name when the merged report holds a number that is not
    // finite: the first whose money made a sum of the deposits, the gains or
    // the losses overflow; failing that, the first that made the sum of all
    // amounts (which bounds every balance) overflow, or twice that sum (which
    // bounds every drawdown); failing that (a quotient overflowed), the last.
    const std::string& Culprit() const;

  private:
    double deposits_ = 0, gains_ = 0, losses_ = 0, amounts_ = 0;
    std::string firstSum_, firstAmounts_, firstTwice_, last_;
};

// Whether every number that the writer prints of the report is finite: the
// summary's and every operation's profit and balance (a chained balance that
// overflowed stays infinite or NaN).
bool HoldsOnlyFiniteNumbers(const TMT4TestReport& report);

}  // namespace velquist
