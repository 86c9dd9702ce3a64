#include "core/name_rules.h"

#include <algorithm>
#include <unordered_map>

#include "core/text_trim.h"

namespace vantorel {

namespace {

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string FoldedName(std::string_view name) {
  std::string folded(name);
  std::transform(folded.begin(), folded.end(), folded.begin(), AsciiLower);
  return folded;
}

NameCheck CheckName(std::string_view text, const std::string_view* oldName);

}  // namespace

bool AllNameCharacters(std::string_view name) {
  return std::all_of(name.begin(), name.end(), IsNameCharacter);
}

std::string ImportNameFromAnswer(std::string_view answer) {
  return std::string(TrimBlanksAndControls(answer).substr(0, kMaxCollNameLength));
}

bool IsValidImportName(std::string_view name) {
  return name.size() <= kMaxCollNameLength && ValidateMergeName(name).Verdict == NameVerdict::Ok;
}

namespace {

NameCheck CheckName(std::string_view text, const std::string_view* oldName) {
  const std::string_view name = TrimBlanksAndControls(text).substr(0, kMaxCollNameLength);
  NameCheck check;
  check.Name = std::string(name);
  if (!AllNameCharacters(name)) {
    check.Verdict = NameVerdict::BadCharacter;
  } else if (oldName && SameCollName(name, *oldName)) {
    check.Verdict = NameVerdict::SameAsOld;
  } else if (name.size() < kMinNewNameLength) {
    check.Verdict = NameVerdict::TooShort;
  } else {
    check.Verdict = NameVerdict::Ok;
  }
  return check;
}

}  // namespace

NameCheck ValidateNewName(std::string_view text, std::string_view oldName) {
  return CheckName(text, &oldName);
}

NameCheck ValidateMergeName(std::string_view text) {
  return CheckName(text, nullptr);
}

std::string ProposeName(std::string_view oldName) {
  std::string proposal(oldName);
  if (proposal.empty()) return proposal;
  // Back over the continuation bytes of a last multi-byte character to its lead byte; a broken
  // sequence without a lead byte loses only its last byte.
  constexpr std::size_t kMaxContinuationBytes = 3;
  const auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
  std::size_t last = proposal.size() - 1;
  std::size_t steps = 0;
  while (last > 0 && continuation(proposal[last]) && steps < kMaxContinuationBytes) {
    --last;
    ++steps;
  }
  if (static_cast<unsigned char>(proposal[last]) < 0xC0) last = proposal.size() - 1;
  proposal.resize(last);
  proposal += '_';
  return proposal;
}

bool SameCollName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

std::optional<std::pair<std::size_t, std::size_t>> FindDuplicateNames(
    const CollDirectoryEntries& directory) {
  // One pass with a hash of the first index per name finds, for every coll, whether an earlier
  // coll shares its name; the lowest i with a twin is the lowest first index among those.
  std::unordered_map<std::string, std::size_t> firstIndex;
  firstIndex.reserve(directory.size());
  std::optional<std::pair<std::size_t, std::size_t>> found;
  for (std::size_t j = 0; j < directory.size(); ++j) {
    const auto [it, inserted] = firstIndex.try_emplace(FoldedName(directory[j].Name), j);
    if (inserted) continue;
    // The first twin of coll it->second is the first later coll that repeats its name.
    if (!found || it->second < found->first) found = std::make_pair(it->second, j);
  }
  return found;
}

}  // namespace vantorel
