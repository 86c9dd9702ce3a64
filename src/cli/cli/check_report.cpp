#include "cli/check_report.h"

#include "cli/json_writer.h"

namespace vantorel::cli {

namespace {

void WriteFinding(JsonWriter& json, const GameCheckFinding& finding) {
  json.BeginObject(JsonWriter::Layout::Inline);
  json.Key("file");
  json.String(finding.file);
  json.Key("coll");
  json.Integer(static_cast<std::int64_t>(finding.coll));
  json.Key("name");
  json.Windows1252String(finding.name);
  json.Key("severity");
  json.String(SeverityText(finding.severity));
  json.Key("kind");
  json.String(KindText(finding.kind));
  json.Key("text");
  json.String(finding.text);
  json.EndObject();
}

std::string Counted(std::size_t count, const char* singular, const char* plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

}  // namespace

std::string CheckSummaryLine(const std::vector<CheckedFile>& files) {
  std::size_t colls = 0;
  std::size_t errors = 0;
  std::size_t warnings = 0;
  std::size_t notShown = 0;
  std::size_t unreadable = 0;
  for (const CheckedFile& file : files) {
    if (file.readError) ++unreadable;
    colls += file.result.colls;
    errors += file.result.errors;
    warnings += file.result.warnings;
    notShown += file.result.notShown;
  }
  std::string text = "checked " + Counted(files.size() - unreadable, "file", "files") + ", " +
                     Counted(colls, "coll", "colls") + ": " + Counted(errors, "error", "errors") +
                     ", " + Counted(warnings, "warning", "warnings");
  if (notShown > 0) text += " (" + std::to_string(notShown) + " not shown)";
  if (unreadable > 0) text += "; " + Counted(unreadable, "file", "files") + " could not be read";
  return text;
}

std::string CheckJson(const std::vector<CheckedFile>& files, Game game) {
  JsonWriter json;
  json.BeginObject();
  json.Key("game");
  json.String(game == Game::GtaIII ? "iii" : game == Game::ViceCity ? "vc" : "sa");
  std::int64_t colls = 0;
  std::int64_t errors = 0;
  std::int64_t warnings = 0;
  std::int64_t notShown = 0;
  json.Key("files");
  json.BeginArray();
  for (const CheckedFile& file : files) {
    json.BeginObject(JsonWriter::Layout::Inline);
    json.Key("file");
    json.String(file.path);
    if (file.readError) {
      json.Key("readError");
      json.String(*file.readError);
      ++errors;
    } else {
      const GameCheckResult& r = file.result;
      json.Key("colls");
      json.Integer(static_cast<std::int64_t>(r.colls));
      json.Key("errors");
      json.Integer(static_cast<std::int64_t>(r.errors));
      json.Key("warnings");
      json.Integer(static_cast<std::int64_t>(r.warnings));
      json.Key("notShown");
      json.Integer(static_cast<std::int64_t>(r.notShown));
      colls += static_cast<std::int64_t>(r.colls);
      errors += static_cast<std::int64_t>(r.errors);
      warnings += static_cast<std::int64_t>(r.warnings);
      notShown += static_cast<std::int64_t>(r.notShown);
    }
    json.EndObject();
  }
  json.EndArray();
  json.Key("findings");
  json.BeginArray();
  for (const CheckedFile& file : files) {
    for (const GameCheckFinding& finding : file.result.findings)
      WriteFinding(json, finding);
  }
  json.EndArray();
  json.Key("colls");
  json.Integer(colls);
  json.Key("errors");
  json.Integer(errors);
  json.Key("warnings");
  json.Integer(warnings);
  json.Key("notShown");
  json.Integer(notShown);
  json.EndObject();
  return json.Text();
}

}  // namespace vantorel::cli
