#pragma once

#include <QScopeGuard>

#include <unistd.h>

// Permissions stop an ordinary user but not root; as root the scope runs with the effective user
// id of "nobody", so the same checks hold for every runner. Skip when this leaves the runner root.
[[nodiscard]] inline auto AsOrdinaryUser(bool wanted = true) {
    const bool switched = wanted && geteuid() == 0 && seteuid(65534) == 0;
    return qScopeGuard([switched] {
        if (switched && seteuid(0) != 0)
            qFatal("could not return to root");
    });
}
