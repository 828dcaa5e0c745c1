// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Audio devices that have been stopped and wait to be deleted. The platform's audio objects may run the
// event loop as they go, which must not happen inside a handler or a wait (held input would be
// delivered), so they are deleted once no handler runs.

#include "platform/Waits.h"

#include <QMetaObject>
#include <QObject>
#include <utility>
#include <vector>

namespace nibsy {

template <class Device> class RetiredDevices {
public:
    // Deletions are run through context: none runs once it is gone.
    explicit RetiredDevices(QObject* context) : m_context(context) {}
    RetiredDevices(const RetiredDevices&) = delete;
    RetiredDevices& operator=(const RetiredDevices&) = delete;

    // Takes a stopped device, to be deleted once no handler or wait runs.
    void add(Device* device) {
        m_devices.push_back(device);
        if (m_posted) {
            return;
        }
        m_posted = true;
        QMetaObject::invokeMethod(
            m_context,
            [this] {
                Waits::runWhenIdle(m_context, [this] {
                    m_posted = false;
                    deleteAll();
                });
            },
            Qt::QueuedConnection);
    }

    void deleteAll() {
        // Taken out first: deleting a device may process events that retire another.
        const std::vector<Device*> devices = std::exchange(m_devices, {});
        for (Device* device : devices) {
            delete device;
        }
    }

private:
    QObject* m_context;
    std::vector<Device*> m_devices;
    bool m_posted = false;
};

} // namespace nibsy
