// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>
#include <unistd.h>

// While it lives, file system permission checks apply to an unprivileged user: root
// takes the effective user id of "nobody" (65534); anyone else stays as they are, since
// they are unprivileged already. Active() tells whether the process is now unprivileged;
// Switched() whether root handed its rights to "nobody" (files made now belong to nobody).
class COtherUser {
public:
    static constexpr uid_t kNobody = 65534;

    COtherUser() : m_bSwitched(geteuid() == 0 && seteuid(kNobody) == 0) {}
    ~COtherUser() {
        if (m_bSwitched && seteuid(0) != 0)
            _exit(99);  // a test process that cannot get its rights back must not go on
    }
    COtherUser(const COtherUser&) = delete;
    COtherUser& operator=(const COtherUser&) = delete;

    bool Active() const { return m_bSwitched || geteuid() != 0; }
    bool Switched() const { return m_bSwitched; }

private:
    const bool m_bSwitched;
};
