#include "core/program_identity.h"

// Set by the build (core/CMakeLists.txt) for this file alone.
#ifndef VANTOREL_HOMEPAGE
#define VANTOREL_HOMEPAGE ""
#endif
#ifndef VANTOREL_MAIL
#define VANTOREL_MAIL ""
#endif

namespace vantorel {

const ProjectContact kProjectContact{VANTOREL_HOMEPAGE, VANTOREL_MAIL};

std::string ContactText(const ProjectContact& contact, std::string_view homepageLabel,
                        std::string_view mailLabel, std::string_view between) {
  std::string text;
  if (!contact.Homepage.empty()) {
    text += homepageLabel;
    text += contact.Homepage;
  }
  if (!contact.Mail.empty()) {
    if (!text.empty()) text += between;
    text += mailLabel;
    text += contact.Mail;
  }
  return text;
}

}  // namespace vantorel
