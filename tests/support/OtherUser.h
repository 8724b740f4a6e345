#pragma once

#include <sys/types.h>
#include <unistd.h>

// While it lives, file system permission checks apply to an unprivileged user: root
// takes the effective user id of "nobody" (65534); anyone else stays as they are, since
// they are unprivileged already. Active() tells whether the process is now unprivileged.
class COtherUser {
public:
    static constexpr uid_t kNobody = 65534;

    COtherUser() {
        if (geteuid() != 0) {
            m_bActive = true;
            return;
        }
        m_bSwitched = seteuid(kNobody) == 0;
        m_bActive = m_bSwitched;
    }
    ~COtherUser() {
        if (m_bSwitched && seteuid(0) != 0)
            _exit(99);  // a test process that cannot get its rights back must not go on
    }
    COtherUser(const COtherUser&) = delete;
    COtherUser& operator=(const COtherUser&) = delete;

    bool Active() const { return m_bActive; }
    // True when root handed its rights to "nobody" (files made now belong to nobody).
    bool Switched() const { return m_bSwitched; }

private:
    bool m_bActive = false;
    bool m_bSwitched = false;
};
