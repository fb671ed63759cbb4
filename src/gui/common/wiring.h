#pragma once
// Wiring controls to the handlers that bear their names: each window part
// lists its buttons, menu items and timers with their handlers as a table.

#include <QAbstractButton>
#include <QAction>
#include <QTimer>
#include <initializer_list>
#include <utility>

namespace quindle::gui {

template <typename Owner>
using Handler = void (Owner::*)();

template <typename Owner>
void WireButtons(Owner* owner,
                 std::initializer_list<std::pair<QAbstractButton*, Handler<Owner>>> buttons) {
    for (const auto& [button, handler] : buttons) {
        QObject::connect(button, &QAbstractButton::clicked, owner, handler);
    }
}

template <typename Owner>
void WireActions(Owner* owner, std::initializer_list<std::pair<QAction*, Handler<Owner>>> items) {
    for (const auto& [item, handler] : items) {
        QObject::connect(item, &QAction::triggered, owner, handler);
    }
}

template <typename Owner>
void WireTimers(Owner* owner, std::initializer_list<std::pair<QTimer*, Handler<Owner>>> timers) {
    for (const auto& [timer, handler] : timers) {
        QObject::connect(timer, &QTimer::timeout, owner, handler);
    }
}

}  // namespace quindle::gui
