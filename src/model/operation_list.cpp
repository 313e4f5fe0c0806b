#include "base/error.hpp"
#include "languages/phrase_table.hpp"
#include "model/operation.hpp"

namespace velquist {

TOperationList::TOperationList() { PhraseTable(); }

TOperation& TOperationList::Items(std::int32_t index) {
    if (index < 0 || index >= Count()) throw EListError(index);
    return items_[static_cast<std::size_t>(index)];
}

const TOperation& TOperationList::Items(std::int32_t index) const {
    if (index < 0 || index >= Count()) throw EListError(index);
    return items_[static_cast<std::size_t>(index)];
}

void TOperationList::Exchange(std::int32_t i, std::int32_t j) { std::swap(Items(i), Items(j)); }

}  // namespace velquist
