#include "sim/pty_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

namespace ventari::sim {
namespace {

std::runtime_error Failure(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PtyLink::PtyLink(QString path) : path_(std::move(path)) {
  struct stat status {};
  if (::lstat(path_.toLocal8Bit().constData(), &status) == 0 && !S_ISLNK(status.st_mode)) {
    throw std::runtime_error(path_.toStdString() + " exists and is not a symbolic link");
  }
}

PtyLink::~PtyLink() { Remove(); }

void PtyLink::PointAt(const QString& target) {
  // A new link beside the old one, renamed over it: whoever opens the path finds one or the
  // other, never none.
  const QByteArray path = path_.toLocal8Bit();
  const QByteArray fresh = path + ".new";
  ::unlink(fresh.constData());
  if (::symlink(target.toLocal8Bit().constData(), fresh.constData()) != 0) {
    throw Failure("cannot make the link " + fresh.toStdString());
  }
  if (std::rename(fresh.constData(), path.constData()) != 0) {
    ::unlink(fresh.constData());
    throw Failure("cannot make the link " + path.toStdString());
  }
}

void PtyLink::Remove() { ::unlink(path_.toLocal8Bit().constData()); }

}  // namespace ventari::sim
