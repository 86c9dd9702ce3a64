#pragma once

#include <string>
#include <string_view>

// Who the program is: the texts that name it in captions, reports and written files.
namespace vantorel {

inline constexpr std::string_view kApplicationTitle = "Vantorel";
inline constexpr std::string_view kVersionCaption = "Vantorel 1.1 BETA";
inline constexpr std::string_view kVersionLine = "Version 1.1 BETA";
inline constexpr std::string_view kReleaseDate = "23. April 2003";
inline constexpr std::string_view kDebugSuffix = " - [debug mode]";

inline constexpr std::string_view kAuthorName = "the Vantorel developers";

// Where the project can be reached: only addresses its builder controls, given when the program
// is built (the CMake cache variables VANTOREL_HOMEPAGE and VANTOREL_MAIL). Empty while not set;
// then no text names one and the Help menu's items for them are disabled.
struct ProjectContact {
  std::string_view Homepage;
  std::string_view Mail;
};
extern const ProjectContact kProjectContact;

// The parts of contact that are set, each after its label, joined by between; empty when none
// is set. ("Web: ", "E-Mail: ", "   ") gives "Web: HOMEPAGE   E-Mail: MAIL".
std::string ContactText(const ProjectContact& contact, std::string_view homepageLabel,
                        std::string_view mailLabel, std::string_view between);

}  // namespace vantorel
