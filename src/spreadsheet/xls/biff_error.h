#pragma once
#include <stdexcept>

namespace tabulo::spreadsheet::xls {

// A workbook stream that breaks the BIFF8 rules or that this reader refuses.
// what() is the reason only; ReadXls puts the file name in front of it.
class BiffError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tabulo::spreadsheet::xls
