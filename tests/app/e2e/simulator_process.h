#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// The bundled Tavrel simulator as a child process, listening on 127.0.0.1 and a port of its
// own. Whatever way the test ends, the object stops the child by its process id and reaps it.
class SimulatorProcess {
  public:
    SimulatorProcess() = default;
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // Starts it with "--port 0" and `arguments`, and reads the port from the line it prints
    // once it listens. false, with the child stopped, when that line does not come.
    bool start(const std::vector<std::string>& arguments);
    int port() const { return port_; }

  private:
    std::string readListeningLine();
    void kill();

    pid_t pid_ = -1;
    int output_ = -1;
    int port_ = 0;
};
