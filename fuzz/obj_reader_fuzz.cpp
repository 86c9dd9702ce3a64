// Any bytes as an OBJ model, with the same bytes as the MTL file it names: nothing may crash or
// read outside the text, a model that reads has every index in range, and writing it out and
// reading it back gives the same numbers of vertices and triangles.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/model/obj_reader.h"
#include "core/model/obj_writer.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vantorel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto sameText = [text](const std::string&) { return std::string(text); };
  const Parsed<Model> read = ReadObj(text, sameText);
  if (!read.Value) {
    Require(!read.Error.empty());
    return 0;
  }
  Require(IndicesInRange(*read.Value));
  const ObjFiles files = WriteObj(*read.Value, "m.mtl");
  const Parsed<Model> again = ReadObj(files.Obj);
  Require(again.Value && again.Value->Positions.size() == read.Value->Positions.size() &&
          again.Value->Triangles.size() == read.Value->Triangles.size());
  return 0;
}
