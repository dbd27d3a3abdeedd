// Named events as lock files: the event "exists" while some process holds an
// flock on `<runtime dir>/<name>.lock`. The lock goes with its holder, so a
// crashed run leaves nothing stale. Signalling stays inside the process that
// created the event (an eventfd that poll() can watch).
#pragma once

#include <string>

namespace platform {

// $XDG_RUNTIME_DIR, else /tmp/ecr-<uid> (created for the user alone).
std::string RuntimeFolder();

class CNamedEvent {
 public:
  CNamedEvent() = default;
  ~CNamedEvent();
  CNamedEvent(const CNamedEvent&) = delete;
  CNamedEvent& operator=(const CNamedEvent&) = delete;

  // True when some process holds the event of this name, that is, a run is in progress.
  static bool Exists(const std::string& name);

  // Creates the event (auto-reset, not signalled). False when it already
  // exists anywhere or its lock file cannot be made.
  bool Create(const std::string& name);
  bool IsCreated() const { return m_nLockFd >= 0; }
  // The event ceases to exist.
  void Close();

  bool Signal();
  // Readable in poll() while signalled; -1 when not created.
  int Descriptor() const { return m_nEventFd; }
  // True when the event was signalled; resets it.
  bool TakeSignal();

 private:
  int m_nLockFd = -1;
  int m_nEventFd = -1;
};

}  // namespace platform
