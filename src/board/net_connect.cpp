// The conduction graph over grid cells, its nets and routes through it.
#include "board/net_connect.h"

#include <cstddef>
#include <numeric>

#include "board/objects.h"

int cell_of_point(int x, int y) {
    const int column = x / 5, row = y / 5;
    if (column < 0 || column >= GRID_COLUMNS || row < 0 || row >= GRID_ROWS) return -1;
    return cell_index(row, column);
}

CellGraph build_cell_graph() {
    CellGraph graph;
    graph.wire_links.resize(CELL_COUNT);
    auto add = [&](const WireRecord* w) {
        if (w->entry != board.plain_wire_type) return;
        const int a = cell_of_point(w->x1, w->y1), b = cell_of_point(w->x2, w->y2);
        if (a < 0 || b < 0) return;  // exposure does not follow an end off the grid
        graph.wire_links[a].push_back(b);
        graph.wire_links[b].push_back(a);
    };
    for (const WireRecord* w = board.wire_list; w != nullptr; w = w->next) add(w);
    if (board.selected_wire != nullptr) add(board.selected_wire);
    return graph;
}

void cell_neighbours(const CellGraph& graph, int cell, std::vector<int>& out) {
    out.clear();
    const int r = cell_row(cell), c = cell_column(cell);
    if (c > 1 && cell_get(r, c - 1) == 0) out.push_back(cell_index(r, c - 2));
    if (r > 1 && cell_get(r - 1, c) != 0) out.push_back(cell_index(r - 2, c));
    if (c < 125 && cell_get(r, c + 1) == 0) out.push_back(cell_index(r, c + 2));
    if (r < 79 && cell_get(r + 1, c) != 0) out.push_back(cell_index(r + 2, c));
    for (int other : graph.wire_links[cell]) out.push_back(other);
}

namespace {

int find_root(std::vector<int>& parent, int a) {
    while (parent[a] != a) {
        parent[a] = parent[parent[a]];
        a = parent[a];
    }
    return a;
}

}  // namespace

std::vector<int> label_cell_nets(const CellGraph& graph) {
    std::vector<int> parent(CELL_COUNT);
    std::iota(parent.begin(), parent.end(), 0);
    std::vector<int> next;
    for (int cell = 0; cell < CELL_COUNT; ++cell) {
        cell_neighbours(graph, cell, next);
        for (int other : next) {
            const int a = find_root(parent, cell), b = find_root(parent, other);
            if (a != b) parent[a < b ? b : a] = a < b ? a : b;
        }
    }
    for (int cell = 0; cell < CELL_COUNT; ++cell) parent[cell] = find_root(parent, cell);
    return parent;
}

std::vector<int> cell_route(const CellGraph& graph, const std::vector<int>& sources, const std::vector<char>& targets) {
    std::vector<int> came_from(CELL_COUNT, -2);
    std::vector<int> queue;
    for (int cell : sources) {
        if (cell < 0 || cell >= CELL_COUNT || came_from[cell] != -2) continue;
        came_from[cell] = -1;
        queue.push_back(cell);
    }
    std::vector<int> next;
    for (std::size_t head = 0; head < queue.size(); ++head) {
        const int cell = queue[head];
        if (targets[cell]) {
            std::vector<int> route;
            for (int at = cell; at != -1; at = came_from[at]) route.push_back(at);
            return {route.rbegin(), route.rend()};
        }
        cell_neighbours(graph, cell, next);
        for (int other : next) {
            if (came_from[other] != -2) continue;
            came_from[other] = cell;
            queue.push_back(other);
        }
    }
    return {};
}
