// The EEPROM page's model and the parts under it over a simulated session, wired as the test
// window wires them, with the page moves it asks for recorded.
#pragma once

#include <vector>

#include "service/calibration_readouts.h"
#include "service/eeprom_programmer.h"
#include "service/eeprom_read_handler.h"
#include "service/eeprom_reads.h"
#include "service/eeprom_writer.h"
#include "service/nvm_page_model.h"
#include "service/production_test.h"
#include "service/service_file_names.h"
#include "service/service_folder.h"
#include "service/service_link.h"
#include "support/sim_session.h"

namespace ventari::test {

struct EepromParts {
  EepromParts() { folder.SetRoot(s.dir.path()); }

  SimSession s;
  ProductionTest test;
  ServiceFileNames names;
  ServiceFolder folder;
  CalibrationReadouts readouts;
  AnemometerLink& link = s.session.link();
  ServiceLink service{s.rt,          link.port,    link.matcherGroup,
                      link.matchers, link.channel, s.session.anemometer().state,
                      s.prompts};
  EepromReadHandler handler{link.matchers.EEreadPacket, readouts};
  EepromWriter writer{service, test};
  EepromReads reads{service, handler, test};
  EepromProgrammer programmer{service, test, writer, reads, names, folder};
  std::vector<TestPage> moves;
  NvmPageModel page{test,   programmer, s.prompts,
                    folder, names,      [this](TestPage p) { moves.push_back(p); }};
};

}  // namespace ventari::test
