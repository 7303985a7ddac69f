// File > "Publish to broker..." as a user runs it against a broker of the test's own: the
// dialog's choices are stored and the records of the simulated anemometer reach the broker; the
// status line says where they go, how many are held and dropped while the broker is away, and
// that publishing goes on when it returns; the broker is told of the drop, and "offline" when
// the application closes.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

#include "support/bounded_wait.h"
#include "support/mqtt_broker.h"
#include "support/screenshot.h"
#include "ui/application.h"
#include "ui/elided_label.h"
#include "ui/frm_main.h"
#include "ui/frm_publish.h"

namespace ventari {
namespace {

const QString kPrefix = QStringLiteral("test/desk");

int Count(const QStringList& lines, const QString& part) {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                        [&](const QString& l) { return l.contains(part); }));
}

TEST(PublishWindow, PublishesWhatTheDialogChoseAndSaysWhatHappensToTheRecords) {
  test::MqttBroker broker;
  ASSERT_TRUE(broker.Start()) << broker.problem().toStdString();
  test::MqttSubscriber subscriber(broker, kPrefix);
  ASSERT_TRUE(subscriber.Started());
  QTemporaryDir dir;
  const QString settings = dir.filePath(QStringLiteral("settings.ini"));
  Application app({settings, QStringLiteral("sim:kestrix2"), false});
  Session& s = app.session();
  Runtime& runtime = s.runtime();
  const QString where = QStringLiteral("127.0.0.1:%1").arg(broker.port());
  QStringList said;  // what the status line said at each step
  // The steps wait in their own loops: they start once the search, which waits in its own, is over.
  QElapsedTimer waited;
  waited.start();
  QTimer act;
  QObject::connect(&act, &QTimer::timeout, [&] {
    const bool ready = s.commands().discovery.Found() && s.window().Enabled();
    if (!ready && waited.elapsed() < 60000) return;
    act.stop();
    const auto quit = [&app] { app.mainWindow().findChild<QAction*>("Exit1")->trigger(); };
    auto* status = app.mainWindow().findChild<ElidedLabel*>(QStringLiteral("StatusPublishing"));
    const auto says = [&](const QString& start, const QString& part = {}) {
      return test::WaitUntil(
          runtime,
          [&] { return status->text().startsWith(start) && status->text().contains(part); }, 30000);
    };
    if (!test::WaitUntil(
            runtime, [&] { return s.commands().discovery.Found(); }, 60000)) {
      return quit();
    }
    app.mainWindow().findChild<QAction*>(QStringLiteral("Publish"))->trigger();
    auto* dialog = app.mainWindow().findChild<TFrmPublish*>();
    dialog->findChild<QCheckBox*>(QStringLiteral("PublishEnabled"))->setChecked(true);
    dialog->findChild<QLineEdit*>(QStringLiteral("BrokerUrl"))->setText(broker.Url());
    dialog->findChild<QLineEdit*>(QStringLiteral("TopicPrefix"))->setText(kPrefix);
    dialog->findChild<QSpinBox*>(QStringLiteral("HoldMessages"))->setValue(3);
    test::Keep(*dialog, QStringLiteral("publish_dialog"));
    dialog->findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
    // Records flow once the user asks for them.
    app.mainWindow().findChild<QAction*>(QStringLiteral("UVcontinuous"))->trigger();
    said << (says(QStringLiteral("Publishing to ") + where) ? status->text() : QString());
    test::Keep(app.mainWindow(), QStringLiteral("main_publishing"));
    // Read without blocking: the application runs in this thread.
    test::WaitUntil(
        runtime, [&] { return subscriber.Lines(6, 0).size() >= 6; }, 30000);
    broker.Stop();
    said << (says(QStringLiteral("broker unreachable, 3 records held"), QStringLiteral("dropped"))
                 ? status->text()
                 : QString());
    test::Keep(app.mainWindow(), QStringLiteral("main_broker_away"));
    said << (broker.Start() &&
                     says(QStringLiteral("Publishing to ") + where, QStringLiteral(" dropped"))
                 ? QStringLiteral("back")
                 : status->text());
    quit();
  });
  act.start(50);
  app.Start();
  ASSERT_EQ(said.size(), 3);
  EXPECT_EQ(said[0], QStringLiteral("Publishing to ") + where);
  EXPECT_TRUE(said[1].startsWith(QStringLiteral("broker unreachable, 3 records held, ")))
      << said[1].toStdString();
  EXPECT_EQ(said[2], QStringLiteral("back"));
  QSettings stored(settings, QSettings::IniFormat);
  EXPECT_EQ(stored.value(QStringLiteral("Broker/Url")).toString(), broker.Url());
  EXPECT_TRUE(stored.value(QStringLiteral("Broker/Enabled")).toBool());
  // The last word, "offline", was acknowledged before the application ended.
  const QStringList& lines = subscriber.LinesUntil(QStringLiteral("/status offline"), 5000);
  EXPECT_GE(Count(lines, QStringLiteral("/record {")), 4);
  EXPECT_EQ(Count(lines, QStringLiteral(" messages dropped while held for the broker")), 1)
      << lines.join('\n').toStdString();
  EXPECT_TRUE(lines.last().endsWith(QStringLiteral("/status offline")))
      << lines.join('\n').toStdString();
}

}  // namespace
}  // namespace ventari
