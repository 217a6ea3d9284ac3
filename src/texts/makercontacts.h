// SPDX-License-Identifier: MIT
#pragma once

// The maker's contact details, shown in the main windows' contact band and in the
// about-the-maker windows. One place, so the two never disagree. They read the same in both
// languages; the offices' headings are in each language's catalogue.

#include <QString>

namespace texts {

struct Office
{
    const char *address; // postal address, one line
    const char *phone;   // telephone and fax, one line
    const char *web;     // shown without scheme
    const char *webUrl;  // handed to the desktop
    const char *mail;    // shown as is, handed over with "mailto:"
};

inline constexpr Office EuropeOffice{"Kovrin Integration ApS, Havnegade 12, DK-9000 Aalborg",
                                     "Tel. +45 11 22 33 44  Fax +45 11 22 33 45",
                                     "www.kovrin.example.com", "https://www.kovrin.example.com/",
                                     "salg@kovrin.example.com"};
inline constexpr Office AmericaOffice{
    "Kovrin Integration Inc., 400 Mill Road, Springfield, OH 45501",
    "Phone (555) 010-2000  Fax (555) 010-2001", "www.kovrin-usa.example.net",
    "https://www.kovrin-usa.example.net/", "info@kovrin-usa.example.net"};

// The CAD/CAM product the maker resells (Danish about window only).
inline constexpr const char *ResoldProductWeb = "www.camtegn.example.com";
inline constexpr const char *ResoldProductUrl = "https://www.camtegn.example.com/";

inline QString mailUrl(const char *mail)
{
    return QStringLiteral("mailto:") + QLatin1String(mail);
}

} // namespace texts
