#include "platform/wayland/WaylandInput.h"

#include "common/Errors.h"

namespace velmo::wayland {

std::unique_ptr<WaylandInput> OpenWaylandInput(std::string& error) {
  try {
    auto input = std::make_unique<WaylandInput>();
    input->connection = std::make_unique<WaylandConnection>();
    input->events = WatchConnection(*input->connection);
    input->mouse = std::make_unique<WaylandMouse>(*input->connection);
    if (input->connection->layerShell() != nullptr)
      input->picker = std::make_unique<WaylandPointPicker>(*input->connection);
    return input;
  } catch (const AppError& e) {
    error = e.what();
    return nullptr;
  }
}

}  // namespace velmo::wayland
