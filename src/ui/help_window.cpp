#include "ui/help_window.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace ventari {
namespace {

constexpr char kHelp[] = R"(<html><body>
<h1><a name="Contents"></a>Ventari Help</h1>
<p>Ventari finds the ultrasonic anemometer on a serial port, shows what it is, shows and logs
its wind data, and changes its settings.</p>
<ul>
<li><a href="#Connecting">Connecting an anemometer</a></li>
<li><a href="#Finding">Finding the anemometer</a></li>
<li><a href="#Menus">The menus</a></li>
<li><a href="#DataDisplay">The data display and its log</a></li>
<li><a href="#Windsock">The windsock</a></li>
<li><a href="#PcAveraging">PC averaging in the tabular display</a></li>
<li><a href="#Alarm">The alarm</a></li>
<li><a href="#Simulator">Trying Ventari without an anemometer</a></li>
</ul>

<h2><a name="Connecting"></a>Connecting an anemometer</h2>
<p>Connect the anemometer's RS-232 line to a serial port of the PC (or a USB serial adapter)
and power it. Choose the port with <b>Ports</b>: the list shows the ports present on this
PC (<i>COM1</i>, <i>COM2</i>, ... on Windows; <i>/dev/ttyS0</i>, <i>/dev/ttyUSB0</i>, ... on
Linux) and the simulated instruments (<i>sim:...</i>). Select one, press <b>Set</b>, then
choose <b>File &gt; Resynchronise</b>. Ventari remembers the port and the baud rate for the
next start.</p>

<h2><a name="Finding"></a>Finding the anemometer</h2>
<p>When Ventari starts it searches for the anemometer: it tries the rate it used last, then
9600, 19200, 38400, 57600, 115200, 4800, 2400, 1200 and 300 baud, each time asking the
anemometer to enter its configuration mode. "Please wait, searching..." is shown meanwhile.
When the anemometer answers, Ventari asks for its type, serial number, software version and
configuration, adapts the menus to the model and lets the data stream.</p>
<p>If nothing answers, Ventari says "Port detection failed, check device connection. Click
File&gt;Resynchronise." Check the cable, the power and the port, then choose
<b>File &gt; Resynchronise</b> to search again. Choosing it while a search is requested
stops that search after its current try.</p>

<h2><a name="Menus"></a>The menus</h2>
<dl>
<dt><b>File</b></dt><dd><b>Resynchronise</b> searches for the anemometer again;
<b>Exit</b> closes Ventari and stores the port settings.</dd>
<dt><b>Mode</b> (two-axis anemometers)</dt><dd><b>UV continuous</b> and <b>Polar
continuous</b> switch the anemometer's output between wind components and speed with
direction. The check mark shows the current mode.</dd>
<dt><b>Configuration</b></dt><dd><b>Anemometer comms</b>, <b>Output formatting</b>,
<b>Alignment</b>, <b>Averaging</b>, <b>Analogue outputs</b> and <b>Heating</b> change the
settings of a two-axis anemometer; <b>Setup</b> those of a three-axis anemometer;
<b>Anemometer type</b> shows the model, serial number and software version found.</dd>
<dt><b>Ports</b></dt><dd>chooses the serial port (see above).</dd>
<dt><b>Data Display</b>, <b>Tabular Display</b>, <b>Graph</b>, <b>Windsock</b>,
<b>Alarm</b></dt><dd>open the live windows. Only the entries that fit the anemometer found
and its output mode are shown. A three-axis anemometer streams its data while any of these
windows is open and goes back to answering on request when the last one closes.</dd>
<dt><b>Terminal</b> and <b>Test</b></dt><dd>appear in service mode only.</dd>
<dt><b>Help</b></dt><dd><b>About</b> shows the version and how to reach us;
<b>Contents</b> shows this help.</dd>
</dl>

<h2><a name="DataDisplay"></a>The data display and its log</h2>
<p><b>Data Display</b> shows every data message of a two-axis anemometer as a line of text,
also while its window is closed. It keeps the newest 10,000 lines on screen; older lines
leave the screen but never the log.</p>
<p><b>Start logging</b> asks for a file name and logs every message from then on, with the
date and time after it when <b>Timestamp data</b> is checked. The file starts with the date
and time, the anemometer's serial number and whether the data are UV or polar. Dates are
always written as day/month/year (09/12/2026) and times on a 24-hour clock (19:05:42),
whatever the language settings of the PC.</p>
<p>The log file is created as soon as logging starts, and every line is written to the disk
as its message arrives, so a crash or a power cut loses at most the last line. Messages that
arrive while the file name is being chosen are logged too. With <b>Segmented logging</b> a
new file is started every so many minutes: a log named <i>wind.log</i> with 60-minute
segments gives <i>wind_60_0.log</i>, <i>wind_60_1.log</i>, ...; each segment file appears
when its segment begins, and <i>wind.log</i> itself is not written. A file of that name is
replaced. If a file cannot be written (a full disk, a removed drive), Ventari says so once,
keeps the lines, also when the next segment begins, and writes them as soon as the file can
be written again. It keeps up to 100,000 such lines (more than a day at one message a second);
beyond that it says so once and newer lines are lost until the file can be written. Lines are
written with the bytes the anemometer sent. The data keep flowing to the other windows while
the message is shown. The window cannot be closed while logging: stop logging first.</p>

<h2><a name="Windsock"></a>The windsock</h2>
<p>The windsock's <b>2 min</b> and <b>10min</b> averages are taken over the records of the
last two and ten minutes: 120 and 600 times the anemometer's output rate in records a second.
A two-axis anemometer's rate is its output rate setting. A three-axis anemometer averages its
measurements (10 a second, 50 a second on a 50 Hz model) into each record as its AVERAGE
setting says, so AVERAGE 5 gives 2 records a second on a T7 and 10 on a T7(50Hz); with
instantaneous output on, a 50 Hz model sends all 50. The longest window holds 60,000
records.</p>

<h2><a name="PcAveraging"></a>PC averaging in the tabular display</h2>
<p>With PC averaging the tabular display and its log show one line for each period of 1 to 60
minutes instead of the records: every value averaged over the period's records. A polar
direction is averaged as meteorological loggers do, as the direction of the mean of unit
vectors (the mean of the directions' sines and cosines), so a wind swinging between 350 and 10
degrees averages to about 0, not 180; the result lies between 0 and 360. The speed is the
plain mean of the speeds. A period whose directions cancel out (as much wind from the east as
from the west) has no mean direction, and its direction is left empty. Records with blocked
paths or broken fields add nothing, and each period's line comes with the first good record
after the period ends.</p>

<h2><a name="Alarm"></a>The alarm</h2>
<p><b>Alarm</b> watches every data message against a wind-speed threshold and a direction
sector, and signals on screen, with a sound, or by raising the DTR line of a second serial
port, chosen by its full name (COM10, /dev/ttyUSB0, ...). In UV mode the alarm takes the
direction of a message whose U component is negative as 359 degrees, so a direction alarm
does not work on such messages; use polar mode for direction alarms.</p>

<h2><a name="Simulator"></a>Trying Ventari without an anemometer</h2>
<p>Every model can be simulated: choose a <i>sim:...</i> port (for example
<i>sim:kestrix2-heated</i> or <i>sim:t7</i>) in <b>Ports</b>, or start Ventari with
<code>--port sim:t7</code>. The simulated anemometer behaves like the real one on the line,
including its baud rate, so the search and identification run as they would.</p>
</body></html>)";

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Ventari Help"));
  browser_ = new QTextBrowser(this);
  browser_->setHtml(QString::fromUtf8(kHelp));
  browser_->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  resize(620, 520);
}

void HelpWindow::ShowTopic(const QString& topic) {
  browser_->scrollToAnchor(topic);
  show();
  raise();
}

QString HelpWindow::Html() const { return browser_->toHtml(); }

}  // namespace ventari
