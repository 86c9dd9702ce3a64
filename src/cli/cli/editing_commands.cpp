#include "cli/editing_commands.h"

#include <cctype>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <span>

#include "cli/batch_editor.h"
#include "cli/coll_arguments.h"
#include "cli/output_target.h"
#include "cli/unix_lines.h"
#include "core/coll_surfaces.h"
#include "core/file_io.h"
#include "core/name_rules.h"
#include "core/text_trim.h"
#include "core/utf8_path.h"
#include "core/windows1252.h"
#include "doc/editor_texts.h"
#include "edit/bounding_objects_command.h"
#include "edit/script_commands.h"
#include "edit/script_file.h"
#include "ops/coll_file_scan.h"
#include "ops/coll_texts.h"
#include "ops/mesh_import_commands.h"
#include "ops/surface_change.h"

namespace vantorel::cli {

namespace {

constexpr const char* kNothingWritten = "Nothing was written.";

using Operands = std::vector<std::string>;

// One command over one open file.
struct Job {
  BatchEditor& session;
  const Operands& operands;
  const CommandLine& line;
  std::ostream& err;

  Editor& TheEditor() { return session.Editor(); }
  BatchUi& Ui() { return session.Ui(); }

  // Finds and selects a COLL argument.
  std::optional<int> SelectColl(const std::string& key) {
    const auto index = session.FindColl(key);
    if (!index || !session.Select(*index)) return std::nullopt;
    return index;
  }

  // Runs a row whose command appends exactly `added` colls (negative: removes).
  bool RunCounting(std::string_view row, int added) {
    const int before = TheEditor().CollCount();
    return session.RunRow(row, [&] { return TheEditor().CollCount() == before + added; });
  }

  // Runs a row that edits the working copy, then applies it.
  bool RunEdit(std::string_view row) {
    return session.RunRow(row, [&] { return TheEditor().CollChanged(); }) && session.Apply();
  }

  // "#3 lamppost: " before what the editor says about each coll of a command over all colls.
  void SayWhichColl(int index) {
    Ui().SetMessagePrefix("#" + std::to_string(index + 1) + " " +
                          Windows1252ToUtf8(TheEditor().CollDirectory()[index].Name) + ": ");
  }

  // Runs perColl for the COLL operand, or for every coll with --all; each coll is selected
  // first and its changes applied after.
  bool ForEachColl(const std::function<bool()>& perColl) {
    if (!line.all) {
      return SelectColl(operands[1]) && perColl() && session.Apply();
    }
    for (int index = 0; index < TheEditor().CollCount(); ++index) {
      SayWhichColl(index);
      const bool done = session.Select(index) && perColl() && session.Apply();
      Ui().SetMessagePrefix({});
      if (!done) return false;
    }
    return true;
  }
};

// The colls that COLL arguments name in another collision file, found by the scan that import
// and replace read that file with; nullopt after saying which one is not there. When the file
// cannot be read or scanned the list is empty: the editor's command then reads it and says why.
std::optional<std::vector<int>> FindSourceColls(Job& job, const std::string& path,
                                                std::span<const std::string> keys) {
  std::vector<int> indices;
  Bytes bytes;
  if (ReadWholeFile(PathFromUtf8(path), bytes)) return indices;
  const CollFileScan scan = ScanCollFile(bytes);
  if (!scan.Ok()) return indices;
  for (const std::string& key : keys) {
    const auto index = FindColl(scan.Entries, key);
    if (!index) {
      job.err << "No coll " << key << " in " << path << "\n";
      return std::nullopt;
    }
    indices.push_back(static_cast<int>(*index));
  }
  return indices;
}

// Answers the import and replace dialogs: the other file, and the coll chosen in it, if known.
void ChooseSourceColl(Job& job, const std::string& path, const std::vector<int>& indices,
                      std::size_t which) {
  job.Ui().AnswerOpenDialog(PathFromUtf8(path));
  if (which < indices.size()) job.Ui().AnswerSelection(indices[which]);
}

// --- the commands; FILE is operands[0] ---

bool Rename(Job& job) {
  if (!job.SelectColl(job.operands[1])) return false;
  job.Ui().AnswerNewName(job.operands[2]);
  return job.RunEdit("Rename1");
}

bool Copy(Job& job) {
  if (!job.SelectColl(job.operands[1])) return false;
  job.Ui().AnswerNewName(job.operands[2]);
  return job.RunCounting("Copy1", 1);
}

bool Delete(Job& job) {
  if (!job.SelectColl(job.operands[1])) return false;
  job.Ui().AnswerQuestion(texts::DeleteQuestion({}).Caption, Answer::Yes);
  return job.RunCounting("Delete1", -1);
}

bool Export(Job& job) {
  if (!job.SelectColl(job.operands[1])) return false;
  const std::string& target = job.operands[2];
  job.Ui().AnswerSaveDialog(texts::kExportTitle, PathFromUtf8(target));
  const std::string append = texts::AppendQuestion().Caption;
  if (job.line.existing) {
    job.Ui().AnswerQuestion(
        append, *job.line.existing == ExistingTarget::Append ? Answer::Yes : Answer::No);
  } else {
    job.Ui().RefuseQuestion(append, target +
                                        " exists: give --append to add the coll to it, or "
                                        "--overwrite to replace it");
  }
  // The export says nothing when it has written the coll.
  const int messages = job.Ui().Messages();
  return job.session.RunRow("Export1", [&] { return job.Ui().Messages() == messages; });
}

bool Import(Job& job) {
  const std::string& source = job.operands[1];
  const std::span<const std::string> keys(job.operands.begin() + 2, job.operands.end());
  const auto indices = FindSourceColls(job, source, keys);
  if (!indices) return false;
  // The editor's Import once per COLL, so they are appended in the order given.
  for (std::size_t i = 0; i < keys.size(); ++i) {
    ChooseSourceColl(job, source, *indices, i);
    if (!job.RunCounting("Import1", 1)) return false;
  }
  return true;
}

bool Replace(Job& job) {
  const std::string& source = job.operands[2];
  const auto indices = FindSourceColls(job, source, std::span(job.operands).subspan(3, 1));
  if (!indices || !job.SelectColl(job.operands[1])) return false;
  ChooseSourceColl(job, source, *indices, 0);
  return job.RunEdit("Replace1");
}

bool Merge(Job& job) {
  const auto first = job.session.FindColl(job.operands[1]);
  if (!first) return false;
  const auto second = job.session.FindColl(job.operands[2]);
  if (!second) return false;
  job.Ui().AnswerMerge({*first, *second, job.operands[3]});
  return job.RunCounting("Merge1", 1);
}

bool Lod(Job& job) {
  if (!job.SelectColl(job.operands[1])) return false;
  job.Ui().AnswerQuestion(std::string(kBoundingObjectsCaption), Answer::Yes);
  return job.RunCounting("MakeLOD1", 1);
}

bool ImportScript(Job& job) {
  const std::string& name = job.operands[2];
  std::string refusal = NameRefusal(name, nullptr);
  // The name prompt cuts a longer answer unseen; the command line's name is taken whole or not
  // at all.
  if (TrimBlanksAndControls(Utf8ToWindows1252(name)).size() > kMaxCollNameLength) {
    job.err << refusal << "\n";
    return false;
  }
  if (refusal.empty()) refusal = "the name \"" + name + "\" is no valid coll name";
  job.Ui().AnswerOpenDialog(PathFromUtf8(job.operands[1]));
  job.Ui().AnswerInputBox(std::string(kScriptNamePromptCaption), name, refusal);
  return job.RunCounting("ImportCollisionScript1", 1);
}

bool ImportMesh(Job& job) {
  MeshImportValues values;
  values.Model = PathFromUtf8(job.operands[1]);
  if (job.line.surfaces) values.SurfaceMap = PathFromUtf8(*job.line.surfaces);
  if (job.line.maxFaces) values.MaxFaces = static_cast<std::size_t>(*job.line.maxFaces);
  if (job.line.replace) {
    values.Replace = job.SelectColl(*job.line.replace);
    if (!values.Replace) return false;
    job.Ui().AnswerMeshImport(values);
    return job.RunEdit("ImportMesh1");
  }
  values.NewName = job.operands[2];
  job.Ui().AnswerMeshImport(values);
  return job.RunCounting("ImportMesh1", 1);
}

// The files export-mesh writes: OUT, and for an OBJ its MTL beside it.
std::vector<std::string> MeshTargets(const std::string& out) {
  std::filesystem::path path = PathFromUtf8(out);
  std::string extension = PathToUtf8(path.extension());
  for (char& c : extension)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (extension == ".glb") return {out};
  return {out, PathToUtf8(path.replace_extension(".mtl"))};
}

bool ExportMesh(Job& job) {
  const std::string& out = job.operands[2];
  for (const std::string& target : MeshTargets(out)) {
    const bool overwrite = job.line.existing == ExistingTarget::Overwrite;
    if (const auto refusal = OutputRefusal(job.operands[0], target, overwrite)) {
      job.err << *refusal << "\n";
      return false;
    }
  }
  if (!job.SelectColl(job.operands[1])) return false;
  job.Ui().AnswerSaveDialog(std::string(kExportMeshTitle), PathFromUtf8(out));
  job.Ui().AnswerQuestion(std::string(kExportMeshTitle),
                          job.line.withPrimitives ? Answer::Yes : Answer::No);
  // Export Mesh says nothing when it has written the mesh.
  const int messages = job.Ui().Messages();
  return job.session.RunRow("ExportMesh1", [&] { return job.Ui().Messages() == messages; });
}

bool RecalcBounds(Job& job) {
  job.Ui().AnswerQuestion(std::string(kBoundingObjectsCaption), Answer::Yes);
  return job.ForEachColl([&] {
    return job.session.RunRow("RecalculateBoundingObjects1",
                              [&] { return job.TheEditor().CollChanged(); });
  });
}

bool Clean(Job& job) {
  // Nothing to remove is no failure: the coll then stays as it was.
  return job.ForEachColl([&] { return job.session.RunRow("DeleteIsolatedVertices1"); });
}

struct SurfaceRows {
  const char* change;
  const char* quick;
  const char* elements;
};

SurfaceRows RowsFor(ListKind kind) {
  switch (kind) {
    case ListKind::Spheres:
      return {"ChangeSurfaceValue1", "QuickChangeAllChecked2", "spheres"};
    case ListKind::Boxes:
      return {"MenuItem8", "QuickChangeAllChecked1", "boxes"};
    case ListKind::Faces:
      break;
  }
  return {"MenuItem16", "QuickChangeOfSelected1", "faces"};
}

bool Surface(Job& job) {
  const auto index = job.SelectColl(job.operands[1]);
  if (!index) return false;
  Editor& editor = job.TheEditor();
  const ListKind kind = *job.line.elements;
  const SurfaceRows rows = RowsFor(kind);
  const int count = editor.ElementCount(kind);
  const std::string collName = Windows1252ToUtf8(editor.CollDirectory()[*index].Name);
  std::vector<std::size_t> elements;
  if (job.line.all) {
    for (int i = 0; i < count; ++i)
      elements.push_back(static_cast<std::size_t>(i));
  } else {
    ElementList list = ParseElementList(job.operands[2], static_cast<std::size_t>(count));
    if (!list.Ok()) {
      job.err << "The " << rows.elements << " of " << collName << ": " << list.error << "\n";
      return false;
    }
    elements = std::move(list.indices);
  }
  if (elements.empty()) {
    job.err << collName << " has no " << rows.elements << "; nothing to change\n";
    return true;
  }
  const int material = *job.line.material;
  if (!job.line.parameter) {
    editor.SetChecks(kind, CheckCommand::UncheckAll);
    for (const std::size_t element : elements)
      editor.ToggleCheck(kind, static_cast<int>(element));
    editor.LastMaterial = material;
    editor.LastMaterialTable = MaterialTableOf(editor.WorkingCopy().Version());
    job.Ui().AnswerQuestion(std::string(kQuickChangeCaption), Answer::Yes);
    return job.RunEdit(rows.quick);
  }
  job.Ui().AnswerChangeSurface(
      {material, ParameterItem(static_cast<std::uint8_t>(*job.line.parameter))});
  for (const std::size_t element : elements) {
    editor.SelectElement(kind, static_cast<int>(element));
    if (!job.session.RunRow(rows.change, [&] { return editor.CollChanged(); })) return false;
  }
  return job.session.Apply();
}

// The coll converts as an edit of its working copy; --all converts the file as one change,
// which a coll that does not fit refuses as a whole.
bool Convert(Job& job) {
  Editor& editor = job.TheEditor();
  const int version = *job.line.toVersion;
  const std::string kind = version == 1 ? "COLL1" : "COL" + std::to_string(version) + "1";
  if (job.line.all) {
    return job.session.RunRow("ConvertFileTo" + kind, [&] {
      for (const CollDirectoryEntry& entry : editor.CollDirectory()) {
        if (entry.Version != version) return false;
      }
      return true;
    });
  }
  return job.SelectColl(job.operands[1]) && job.session.RunRow("ConvertCollTo" + kind, [&] {
    return editor.WorkingCopy().Version() == version;
  }) && job.session.Apply();
}

using Command = bool (*)(Job&);

const std::map<std::string_view, Command>& WritingCommands() {
  static const std::map<std::string_view, Command> commands = {
      {"rename", Rename},
      {"copy", Copy},
      {"delete", Delete},
      {"import", Import},
      {"replace", Replace},
      {"merge", Merge},
      {"lod", Lod},
      {"import-script", ImportScript},
      {"import-mesh", ImportMesh},
      {"recalc-bounds", RecalcBounds},
      {"clean", Clean},
      {"surface", Surface},
      {"convert", Convert},
  };
  return commands;
}

// The collision script of a coll, as the editor's script viewer shows it: on standard output,
// or saved to -o SCRIPT as the viewer saves it.
int Script(BatchEditor& session, const Operands& operands, const CommandLine& line,
           std::ostream& out, std::ostream& err) {
  if (!session.Open(operands[0])) return kExitUnreadable;
  const auto index = session.FindColl(operands[1]);
  if (!index || !session.Select(*index) ||
      !session.RunRow("Showtextinfo1", [&] { return session.Ui().ShownScript().has_value(); })) {
    return kExitUnreadable;
  }
  const std::string& script = *session.Ui().ShownScript();
  if (line.output) {
    if (const auto error = WriteScriptFile(PathFromUtf8(*line.output), script)) {
      err << *error << "\n";
      return kExitUnreadable;
    }
    session.Ui().ShowHeld();
    return kExitOk;
  }
  session.Ui().ShowHeld();
  out << UnixLines(script) << "\n";
  return kExitOk;
}

}  // namespace

int RunEditingCommand(const std::string& command, const Operands& operands, const CommandLine& line,
                      const Environment& environment, std::ostream& out, std::ostream& err) {
  if (line.output) {
    const bool overwrite = line.existing == ExistingTarget::Overwrite;
    if (const auto refusal = OutputRefusal(operands[0], *line.output, overwrite)) {
      err << *refusal << "\n" << kNothingWritten << "\n";
      return kExitUnreadable;
    }
  }
  BatchEditor session(environment, err);
  if (command == "script") return Script(session, operands, line, out, err);
  Job job{session, operands, line, err};
  if (command == "export" || command == "export-mesh") {
    // Export writes only its target; FILE is read.
    if (!session.Open(operands[0]) || !(command == "export" ? Export(job) : ExportMesh(job))) {
      err << kNothingWritten << "\n";
      return kExitUnreadable;
    }
    session.Ui().ShowHeld();
    return kExitOk;
  }
  const Command run = WritingCommands().at(command);
  // FILE stays locked from its reading to its save, so two commands on it run in turn.
  if (!session.Open(operands[0], true) || !session.CheckWritable() || !run(job) ||
      !session.Save(line.output)) {
    err << kNothingWritten << "\n";
    return kExitUnreadable;
  }
  session.Ui().ShowHeld();
  return kExitOk;
}

}  // namespace vantorel::cli
