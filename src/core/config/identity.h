#ifndef IDENTITY_H
#define IDENTITY_H

// Who makes Velkarinth: shown in the credits, and the settings store is filed
// under the web domain.
namespace Identity {
inline constexpr char author[] = "l'équipe Velkarinth";
inline constexpr char webDomain[] = "velkarinth.example.org";
inline constexpr char webSite[] = "http://velkarinth.example.org";
inline constexpr char copyrightHolder[] = "Les auteurs de Velkarinth";
inline constexpr int copyrightYear = 2026;
}

#endif
