#pragma once

#include "core/link/link.h"

// Holds the calibrator link open for as long as it lives: it opens the link
// when it is made (throwing ECommsError when the port will not open) and
// closes it when it goes, however the work in between ends.
class LinkGuard
{
public:
    explicit LinkGuard(Link &link) : m_link(link) { m_link.open(); }
    ~LinkGuard() { m_link.close(); }

    LinkGuard(const LinkGuard &) = delete;
    LinkGuard &operator=(const LinkGuard &) = delete;

private:
    Link &m_link;
};
