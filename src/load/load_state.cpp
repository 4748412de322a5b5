#include "load/load_state.h"

namespace tabulo::load {

LoadState& ModuleLoadState() {
  static LoadState state;
  return state;
}

std::int32_t ExactEdge(const std::vector<double>& edges, double coordinate) {
  for (std::size_t i = 0; i < edges.size(); ++i)
    if (edges[i] == coordinate) return static_cast<std::int32_t>(i);
  return 0;
}

std::int32_t ContainingInterval(const std::vector<double>& edges, double coordinate) {
  for (std::size_t i = 0; i < edges.size(); ++i)
    if (edges[i] > coordinate) return static_cast<std::int32_t>(i);
  return 0;
}

}  // namespace tabulo::load
