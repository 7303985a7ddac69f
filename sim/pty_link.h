// A symbolic link to a simulated device's pseudo-terminal, for ventari-sim: scripts open the
// link and find the device under it again when the pseudo-terminal is made anew. The link is
// gone while the device is unplugged, and when this object ends.
#pragma once

#include <QString>

namespace ventari::sim {

class PtyLink {
 public:
  // Raises std::runtime_error when something other than a symbolic link is at `path`.
  explicit PtyLink(QString path);
  ~PtyLink();
  PtyLink(const PtyLink&) = delete;
  PtyLink& operator=(const PtyLink&) = delete;

  const QString& Path() const { return path_; }
  // Points the link at `target` in one step, whatever it pointed at before. Raises
  // std::runtime_error when the system refuses.
  void PointAt(const QString& target);
  // Removes the link, if there is one.
  void Remove();

 private:
  QString path_;
};

}  // namespace ventari::sim
