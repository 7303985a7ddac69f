#include "app/service_part.h"

namespace ventari {

Service::Service(Runtime& runtime, Prompts& prompts, AnemometerLink& anemometerLink,
                 AnemState& state, const ServiceFileNames& storedFileNames)
    : link{runtime,
           anemometerLink.port,
           anemometerLink.matcherGroup,
           anemometerLink.matchers,
           anemometerLink.channel,
           state,
           prompts},
      fileNames(storedFileNames),
      testWindow(test, prompts),
      hardwareChecks(test, testWindow) {}

}  // namespace ventari
