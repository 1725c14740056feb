#pragma once
// The fixed text rows from which the page set is joined, named after the
// hidden fields that hold them on the creation screens.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nubera {

class FragmentTable {
 public:
  using Row = std::pair<std::string, std::string>;
  FragmentTable() = default;
  explicit FragmentTable(std::vector<Row> rows) : rows_(std::move(rows)) {}

  // The row's text; throws std::out_of_range for a name the table lacks.
  const std::string& operator[](std::string_view name) const;
  const std::vector<Row>& rows() const { return rows_; }

 private:
  std::vector<Row> rows_;
};

// The 33 rows of the quick creation screen ("Text6" ... "Text37", "Text152").
const FragmentTable& quickFragments();
// The rows of the detailed creation screen, its schemes "Text37" and "Text4" included.
const FragmentTable& detailedFragments();
// The detailed rows under the quick screen's names, so both share one page composer.
FragmentTable quickRowsFromDetailed(const FragmentTable& detailed);

}  // namespace nubera
