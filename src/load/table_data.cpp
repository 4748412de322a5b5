#include "load/table_data.h"

#include <vector>

#include "automation/error.h"

namespace tabulo::load {

using automation::Variant;

TableData TableData::Read(const automation::Dispatch& tableReference) {
  TableData data;
  std::vector<Variant> args{Variant("Tabulo"), Variant::RefTo(data.codes_),
                            Variant::RefTo(data.values_)};
  tableReference.invoke("getxdata", args);

  // A reference without data under "Tabulo" leaves both outputs empty, and the
  // array reads below fail with a type mismatch.
  if (data.value(0).toString() != "Tabulo")
    throw automation::Error("The object carries no Tabulo table data.");
  data.n_ = data.value(1).toInt32();
  data.m_ = data.value(2).toInt32();
  if (data.n_ < 0 || data.m_ < 0)
    throw automation::Error("The Tabulo table data is damaged: negative row or column count.");
  return data;
}

const Variant& TableData::value(std::int32_t index) const {
  return values_.toArray().at(index);
}

}  // namespace tabulo::load
