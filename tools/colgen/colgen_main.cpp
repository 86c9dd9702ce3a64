#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/model/obj_writer.h"
#include "edit/collision_script.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/dff_builder.h"
#include "tools/colgen/large_file.h"
#include "tools/colgen/sa_colls.h"
#include "tools/colgen/sample_colls.h"

// Writes generated collision files:
//   vantorel-colgen sample OUT.col
//   vantorel-colgen sa OUT.col        (COL2, COL3 and COL4 colls, with "COLL" ones between)
//   vantorel-colgen large OUT.col COLLS MEBIBYTES [VERSION]
//   vantorel-colgen corpus DIR        (seed inputs for the fuzzers)
int main(int argc, char** argv) {
  using namespace vantorel::colgen;
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "sample" && argc == 3) {
    return WriteBytes(argv[2], EncodeFile(SampleColls())) ? 0 : 1;
  }
  if (command == "sa" && argc == 3) {
    return WriteBytes(argv[2], EncodeFile(MixedKindColls())) ? 0 : 1;
  }
  if (command == "corpus" && argc == 3) {
    const std::string dir = argv[2];
    const auto colls = SampleColls();
    bool ok = WriteBytes(dir + "/sample.col", EncodeFile(colls));
    // The San Andreas kinds, alone and mixed with "COLL" records.
    const auto saColls = SaSampleColls();
    ok = ok && WriteBytes(dir + "/mixed_kinds.col", EncodeFile(MixedKindColls()));
    for (std::size_t i = 0; i < saColls.size(); ++i) {
      ok = ok && WriteBytes(dir + "/sa" + std::to_string(i) + ".col", EncodeFile({saColls[i]}));
    }
    for (std::size_t i = 0; i < colls.size(); ++i) {
      ok = ok && WriteBytes(dir + "/coll" + std::to_string(i) + ".col", EncodeFile({colls[i]}));
    }
    // Collision scripts of the sample colls, with points and with commas, for the script reader.
    for (std::size_t i = 0; i < colls.size(); ++i) {
      for (const char separator : {'.', ','}) {
        const std::string script = vantorel::BuildCollisionScript(colls[i], "now", separator);
        const std::string name =
            dir + "/coll" + std::to_string(i) + (separator == '.' ? "_point" : "_comma") + ".cst";
        ok = ok && WriteBytes(name, vantorel::Bytes(script.begin(), script.end()));
      }
    }
    vantorel::Bytes cut = EncodeFile(colls);
    cut.resize(cut.size() / 2);
    ok = ok && WriteBytes(dir + "/cut.col", cut);
    // Models for the model readers: the DFF fixtures, and one of them as OBJ.
    const DffPlan models[] = {OneAtomicDff(), TwoAtomicDff(), CollisionDff(), StripDff()};
    for (std::size_t i = 0; i < std::size(models); ++i) {
      ok = ok && WriteBytes(dir + "/model" + std::to_string(i) + ".dff", WriteDff(models[i]).Data);
    }
    const auto clump = vantorel::ReadDff(WriteDff(TwoAtomicDff()).Data);
    const vantorel::ObjFiles obj = vantorel::WriteObj(vantorel::DffToModel(*clump.Value), "m.mtl");
    ok = ok && WriteBytes(dir + "/model.obj", vantorel::Bytes(obj.Obj.begin(), obj.Obj.end()));
    ok = ok && WriteBytes(dir + "/model.mtl", vantorel::Bytes(obj.Mtl.begin(), obj.Mtl.end()));
    return ok ? 0 : 1;
  }
  if (command == "large" && (argc == 5 || argc == 6)) {
    const auto colls = std::strtoull(argv[3], nullptr, 10);
    const auto mebibytes = std::strtoull(argv[4], nullptr, 10);
    const int version = argc == 6 ? std::atoi(argv[5]) : 1;
    if (version < 1 || version > 4) return 2;
    return WriteBytes(argv[2], LargeFile(colls, mebibytes << 20, 1, version)) ? 0 : 1;
  }
  std::fprintf(stderr,
               "usage: vantorel-colgen sample OUT.col\n"
               "       vantorel-colgen sa OUT.col\n"
               "       vantorel-colgen large OUT.col COLLS MEBIBYTES [VERSION]\n"
               "       vantorel-colgen corpus DIR\n");
  return 2;
}
