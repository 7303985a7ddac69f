#include "cli/command_table.h"

#include <algorithm>

#include "app/command_line.h"
#include "cli/calibrate_command.h"
#include "cli/capture_command.h"
#include "cli/checksums_command.h"
#include "cli/cli_options.h"
#include "cli/commands.h"
#include "cli/diag_command.h"
#include "cli/eeprom_command.h"
#include "cli/flash_command.h"
#include "cli/mqtt_options.h"
#include "cli/srec_command.h"
#include "cli/stats_command.h"
#include "triaxis/tri_axis_config.h"

namespace ventari {
namespace {

// `options` and the options that publish to an MQTT broker.
std::vector<QCommandLineOption> WithMqtt(std::vector<QCommandLineOption> options) {
  for (QCommandLineOption& option : MqttCliOptions()) options.push_back(std::move(option));
  return options;
}

QCommandLineOption Flag(const char* name, const QString& help) {
  return QCommandLineOption(QLatin1String(name), help);
}

QCommandLineOption Valued(const char* name, const char* value, const QString& help) {
  return QCommandLineOption(QLatin1String(name), help, QLatin1String(value));
}

std::vector<CliCommand> Table() {
  // The options several commands take.
  const QCommandLineOption port =
      Valued("port", "name",
             QStringLiteral("The port (COM3, /dev/ttyUSB0, sim:t7, a pseudo-terminal path, ...)."));
  const QCommandLineOption baud =
      Valued("baud", "rate", QStringLiteral("The rate tried first (default: the stored rate)."));
  const QCommandLineOption json = Flag("json", QStringLiteral("Print JSON."));
  const QCommandLineOption seconds =
      Valued("seconds", "seconds",
             QStringLiteral("Run for this long, 0.1 s to a year (default: until interrupted)."));
  const QCommandLineOption reconnectTimeout = Valued(
      "reconnect-timeout", "seconds",
      QStringLiteral("When the port vanishes, wait this many seconds for it and the anemometer "
                     "on it to return, then give up with exit status 4 (default: wait until "
                     "interrupted)."));
  const QCommandLineOption out =
      Valued("out", "file", QStringLiteral("The file to write: the log, or the bytes captured."));
  const QCommandLineOption serviceFolder = Valued(
      "service-folder", "dir",
      QStringLiteral("The service folder, holding srecords/, eeprom/ and LV_Eeprom/ (default: the "
                     "working directory)."));
  const QCommandLineOption pcAvg =
      Valued("pc-avg", "N",
             QStringLiteral("Three-axis: average the records over N minutes, one line a period "
                            "(0 to %1; 0: every record).")
                 .arg(kMaxPcAvgMinutes));
  const QCommandLineOption settings = SettingsOption();
  return {
      {QStringLiteral("ports"),
       {},
       QStringLiteral("list the serial ports (and the simulated instruments when a simulated "
                      "port is given or --simulators), one a line"),
       QStringLiteral("Lists the serial ports, one a line, and the device given with --port. "
                      "A port this user may not open is marked \"(no permission)\"."),
       false,
       {port, Flag("simulators", QStringLiteral("List the simulated instruments beside the "
                                                "ports even when no simulated port is in use."))},
       PortsCommand},
      {QStringLiteral("identify"),
       {},
       QStringLiteral("search the port for an anemometer and identify it"),
       QStringLiteral("Searches the port for an anemometer, identifies it and prints what it "
                      "found (as JSON with --json)."),
       true,
       {port, baud, json, settings},
       IdentifyCommand},
      {QStringLiteral("stream"),
       {},
       QStringLiteral("identify, then print one line per data message or three-axis record"),
       QStringLiteral("Identifies the anemometer, then prints one line per data message or "
                      "three-axis record (as JSON with --json). Records that stop for 5 s (or "
                      "five record periods, whichever is longer) are told once on standard "
                      "error. The run ends with a one-line summary on standard error (records, "
                      "records dropped as incomplete or bad, pauses in the data and their length "
                      "in all, port losses and returns) and, with --json, a last summary object."),
       true,
       WithMqtt(
           {port, baud, json, seconds, reconnectTimeout, pcAvg, settings,
            Valued("stats", "MIN",
                   QStringLiteral("Also print the wind statistics of each MIN-minute period on "
                                  "the UTC clock as a JSON object {\"stats\": ...} at its end "
                                  "(1 to 60)."))}),
       StreamCommand},
      {QStringLiteral("log"),
       {},
       QStringLiteral("identify, then write the data log files"),
       QStringLiteral("Identifies the anemometer, then writes its data to the log file --out "
                      "as the data display or the tabular display logs it. Records that stop "
                      "and the summary at the end are told as by stream; with --json the "
                      "summary is also printed as a JSON object."),
       true,
       WithMqtt({port, baud, json, seconds, reconnectTimeout, out,
                 Valued("segment-minutes", "N",
                        QStringLiteral("Start a new log file every N minutes (1 to %1).")
                            .arg(kMaxSegmentMinutes)),
                 Flag("no-timestamp", QStringLiteral("Log two-axis data without date and time.")),
                 Flag("overwrite",
                      QStringLiteral("Replace the segment files of an earlier run of the same name "
                                     "(default: refuse to start, naming the first of them).")),
                 pcAvg, settings}),
       LogCommand},
      {QStringLiteral("set"),
       QStringLiteral("FIELD=VALUE..."),
       QStringLiteral("identify, then change settings: set FIELD=VALUE... (--list shows them)"),
       QStringLiteral("Identifies the anemometer, changes each FIELD to VALUE as its dialogs "
                      "would, and prints what it reads back as JSON."),
       true,
       {port, baud,
        Flag("list", QStringLiteral("List the settings this anemometer's dialogs offer.")),
        settings},
       SetCommand},
      {QStringLiteral("srec"),
       QStringLiteral("FILE"),
       QStringLiteral("read an S-record file as kernel, application or EEPROM part"),
       QStringLiteral("Reads an S-record file as the flash or EEPROM programming would and "
                      "prints the log (or with --json the image)."),
       false,
       {Valued("kernel", "3334|3337", QStringLiteral("A programming kernel for the H8/CHIP.")),
        Flag("app", QStringLiteral("An application.")),
        Valued("eeprom", "N", QStringLiteral("A parameter file for an EEPROM of N bytes.")),
        Flag("json", QStringLiteral("Print one JSON object."))},
       SrecCommand},
      {QStringLiteral("flash"),
       {},
       QStringLiteral("program a Kestrix II's firmware through the flash programmer"),
       QStringLiteral("Programs a Kestrix II's flash through boot mode, with the board in the "
                      "flash programmer on the port. The kernel is fp3334.s or fp3337.s in the "
                      "srecords folder of the service folder."),
       true,
       {port, Valued("app", "FILE", QStringLiteral("The application's S-record file.")),
        QCommandLineOption(QStringLiteral("chip"),
                           QStringLiteral("The processor: 3334 or 3337 (default 3337)."),
                           QStringLiteral("3334|3337"), QStringLiteral("3337")),
        serviceFolder},
       FlashCommand},
      {QStringLiteral("eeprom"),
       {},
       QStringLiteral("program the EEPROM from parameter files and verify it"),
       QStringLiteral("Programs the EEPROM of the anemometer on --port from parameter files and "
                      "reads it back."),
       true,
       {port,
        Valued("type", "type", QStringLiteral("The sensor type: E, EA, F, FA, LV1 to LV4 or XEQ.")),
        Valued("user", "file",
               QStringLiteral("Kestrix II: the user configuration parameter file.")),
        Valued("eng", "file", QStringLiteral("Kestrix II: the engineering parameter file.")),
        Valued("cal", "file", QStringLiteral("The calibration table file.")),
        Valued("opt", "file", QStringLiteral("Larkvane: the option parameter file.")),
        serviceFolder,
        Flag("json", QStringLiteral("Print the written cells, the read-back and the differences "
                                    "as JSON.")),
        settings},
       EepromCommand},
      {QStringLiteral("diag"),
       {},
       QStringLiteral("identify a Kestrix II and show one of its diagnostics"),
       QStringLiteral("Identifies a Kestrix II, switches on one of its diagnostics and prints "
                      "each diagnostic line as it arrives, then switches the debug output off "
                      "again (also on an interruption)."),
       true,
       {port, baud, json, seconds, reconnectTimeout,
        Valued("test", "name", QStringLiteral("The diagnostic: %1.").arg(DiagnosticTestNames())),
        Flag("extended",
             QStringLiteral("Downcounts: the statistics of the last 120 samples at the end.")),
        settings},
       DiagCommand},
      {QStringLiteral("calibrate"),
       QStringLiteral("paths|sos"),
       QStringLiteral("store a Kestrix II's path lengths or calibrate its speed of sound"),
       QStringLiteral(
           "On the Kestrix II on --port, stores the path lengths (--axis1, --axis2 and, to enable "
           "axis 3, --axis3, in tenths of a millimetre, 1336 to 1591) or calibrates the speed of "
           "sound with the anemometer in the bin at --temperature (deg C): its offsets are "
           "reset, ten readings awaited, the offset written, read back and the checksum "
           "corrected, and its normal output restored."),
       true,
       {port, baud, Valued("axis1", "N", QStringLiteral("paths: axis 1's path length.")),
        Valued("axis2", "N", QStringLiteral("paths: axis 2's path length.")),
        Valued("axis3", "N", QStringLiteral("paths: axis 3's path length; enables axis 3.")),
        Valued("temperature", "T", QStringLiteral("sos: the bin's temperature in deg C.")),
        Flag("json", QStringLiteral("Print what was read, written and read back as JSON.")),
        settings},
       CalibrateCommand},
      {QStringLiteral("checksums"),
       {},
       QStringLiteral("read the four checksums a Larkvane keeps in its EEPROM"),
       QStringLiteral("Identifies a Larkvane and prints the ROM, FAC, ENG and CAL checksums its "
                      "EEPROM holds."),
       true,
       {port, baud, json, settings},
       ChecksumsCommand},
      {QStringLiteral("capture"),
       {},
       QStringLiteral("write the port's raw traffic to a file, typing texts into the line"),
       QStringLiteral("Opens the port without searching, types each --send text followed by a "
                      "line end (CR) as the terminal sends keys, and writes every byte received "
                      "to --out for --seconds or until interrupted."),
       true,
       {port, baud, seconds, reconnectTimeout, out,
        Valued("send", "text", QStringLiteral("A text to type (repeatable).")), settings},
       CaptureCommand},
      {QStringLiteral("stats"),
       QStringLiteral("FILE..."),
       QStringLiteral("wind statistics of data logs, period by period, and the wind rose"),
       QStringLiteral(
           "Reads data display logs and tabular .log and .bny files this program wrote (segment "
           "files in the order of their numbers) and prints per period on the UTC clock: N, the "
           "scalar "
           "mean speed, the unit-vector mean direction and its Yamartino deviation, the "
           "resultant speed and direction, minimum, maximum, the gust (highest 3-s running "
           "mean), the turbulence intensity and for three-axis the mean and deviation of W; "
           "as CSV with a header (default) or JSON lines. Each row is stamped with its "
           "period's end. Unreadable lines are counted on standard error. Tabular logs carry "
           "no record times: they are derived from each header's time and output rate (a .bny "
           "file's from its modification time, that of its last record, and the rate its "
           "configuration listing gives), and the rows say so. Local times of the logs become UTC "
           "by the TZ of this run or "
           "--utc-offset. Two-axis speeds are given in m/s."),
       false,
       {Valued("period", "MIN", QStringLiteral("The period, 1 to 60 minutes (default 10).")),
        Valued("coverage", "PCT",
               QStringLiteral("A period with fewer than PCT per cent of the expected records is "
                              "incomplete (default 90).")),
        json, Flag("csv", QStringLiteral("Print CSV with a header (the default).")),
        Valued("rose", "SECTORS",
               QStringLiteral("Add the wind rose: the percentage of samples per direction "
                              "sector and speed class (0-2, 2-4, 4-6, 6-8, 8-10, >10 m/s).")),
        Valued("utc-offset", "HOURS",
               QStringLiteral("The logs' local time, hours east of UTC (+02:00, -5; default: "
                              "the TZ of this run).")),
        Valued("rate", "HZ",
               QStringLiteral("The records a second of a log whose header does not say: a data "
                              "display log without time stamps, a tabular log of a 50 Hz "
                              "model (50 with INST on)."))},
       StatsCommand},
  };
}

}  // namespace

const std::vector<CliCommand>& CliCommands() {
  static const std::vector<CliCommand> table = Table();
  return table;
}

const CliCommand* CliCommandNamed(const QString& name) {
  const auto& table = CliCommands();
  const auto found = std::find_if(table.begin(), table.end(),
                                  [&name](const CliCommand& c) { return c.name == name; });
  return found == table.end() ? nullptr : &*found;
}

bool TakesOption(const CliCommand& command, const QString& name) {
  return std::any_of(command.options.begin(), command.options.end(),
                     [&name](const QCommandLineOption& o) { return o.names().contains(name); });
}

}  // namespace ventari
