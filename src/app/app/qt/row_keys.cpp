#include "app/qt/row_keys.h"

#include <QKeySequence>

#include "app/command_table.h"
#include "app/qt/qt_text.h"

namespace vantorel {

namespace {

bool IsKey(std::string_view written, int key) {
  const QKeySequence sequence(ToQt(std::string(written)));
  return !sequence.isEmpty() && static_cast<int>(sequence[0].key()) == key;
}

}  // namespace

const CommandRow* ListKeyRow(const QString& list, int key) {
  if (list.isEmpty()) return nullptr;
  for (const CommandRow& row : CommandTable()) {
    if (!row.InList.empty() && ToQt(std::string(row.InList)) == list && IsKey(row.ListKey, key))
      return &row;
  }
  return nullptr;
}

const CommandRow* PassingKeyRow(int key) {
  for (const CommandRow& row : CommandTable()) {
    if (row.ShortcutPassesOn && IsKey(row.Shortcut, key)) return &row;
  }
  return nullptr;
}

}  // namespace vantorel
