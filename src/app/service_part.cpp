#include "app/service_part.h"

namespace ventari {

Service::Service(Runtime& runtime, Prompts& prompts, AnemometerLink& anemometerLink,
                 AnemState& state)
    : link{runtime,
           anemometerLink.port,
           anemometerLink.matcherGroup,
           anemometerLink.matchers,
           anemometerLink.channel,
           state,
           prompts},
      testWindow(test, prompts),
      hardwareChecks(test, testWindow) {}

}  // namespace ventari
