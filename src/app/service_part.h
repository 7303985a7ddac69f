// The service part of a run: the production test's state, the folder of the service files, the
// stored default file names and the models of the test window's pages, over what they use of the
// anemometer's link. Each page's model is one member here, built after the test window's model
// it registers with.
#pragma once

#include "app/session_parts.h"
#include "service/hardware_checks.h"
#include "service/production_test.h"
#include "service/service_file_names.h"
#include "service/service_folder.h"
#include "service/service_link.h"
#include "service/test_window_model.h"

namespace ventari {

struct Service {
  // `fileNames` are the stored ones, read when the settings load.
  Service(Runtime& runtime, Prompts& prompts, AnemometerLink& link, AnemState& state,
          const ServiceFileNames& fileNames);
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;

  ServiceLink link;
  const ServiceFileNames& fileNames;
  ProductionTest test;
  ServiceFolder folder;
  TestWindowModel testWindow;
  HardwareChecks hardwareChecks;
};

}  // namespace ventari
