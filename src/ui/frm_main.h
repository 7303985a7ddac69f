// The main window: the menu that opens everything, the background picture and the two red
// "Please wait" labels. A view over the session's main-window model.
#pragma once

#include <QMainWindow>
#include <QMap>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace ventari {

class Session;

class TFrmMain : public QMainWindow {
  Q_OBJECT

 public:
  explicit TFrmMain(Session& session);

  // The command of a menu entry, by the entry's name.
  void SetCommand(const QString& entry, std::function<void()> command);
  // Runs an event handler; an error escaping it is shown and the application goes on.
  void RunHandler(const std::function<void()>& handler);
  // Mirrors the model now (also done on a short timer).
  void SyncFromModel();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void BuildMenu();
  void Activated();

  Session& session_;
  QMap<QString, QAction*> actions_;
  QMap<QString, QMenu*> menus_;
  QMap<QString, std::function<void()>> commands_;
  QLabel* searching_ = nullptr;
  QLabel* busy_ = nullptr;
  QTimer* sync_ = nullptr;
  bool shown_ = false;
  bool closing_ = false;
  bool closed_ = false;
  bool cursorBusy_ = false;
};

}  // namespace ventari
