#include "ops/find_commands.h"

#include <algorithm>

#include "core/windows1252.h"
#include "doc/editor.h"
#include "ops/brief_info.h"
#include "ops/find.h"

namespace vantorel {

// SearchText holds Windows-1252 bytes, as the coll names it is compared with.
void FindColl(Editor& editor) {
  const auto typed = editor.Ui().InputBox(std::string(kSearchCaption), std::string(kSearchPrompt),
                                          Windows1252ToUtf8(editor.SearchText));
  // Cancel keeps the text the box was opened with; the search starts again all the same.
  CollSearch search;
  RestartSearch(search, typed ? Utf8ToWindows1252(*typed) : editor.SearchText);
  editor.SearchText = search.SearchText;
  editor.SearchPosition = search.SearchPosition;
  FindNextColl(editor);
}

void FindNextColl(Editor& editor) {
  CollSearch search{editor.SearchText, editor.SearchPosition};
  const FindOutcome outcome = FindNext(editor.CollDirectory(), search);
  editor.SearchPosition = search.SearchPosition;
  switch (outcome.Result) {
    case FindResult::Found:
      editor.SelectColl(outcome.Index);
      break;
    case FindResult::NotFound:
      editor.Ui().Message(std::string(kObjectNotFoundText));
      break;
    case FindResult::Ignored:
      break;
  }
}

void ShowBriefInfo(Editor& editor) {
  const Coll& coll = editor.WorkingCopy();
  const int index = std::clamp(editor.SelectedCollLine(), 0, editor.CollCount() - 1);
  const std::int64_t offset = editor.CollDirectory()[static_cast<std::size_t>(index)].Offset;
  editor.Ui().Message(Windows1252ToUtf8(
      BuildBriefInfo(coll, index, editor.CollCount(), offset, editor.DecimalSeparator)));
}

}  // namespace vantorel
