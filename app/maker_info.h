#pragma once
// The maker's texts and web addresses, in one place. The addresses lie under the reserved
// ".example" domain until the project has a site of its own; change them here.
#include <string>

namespace tw {

inline const std::wstring AppNotice = L"Copyright (C) 2011-2025 Brackwater";
inline const std::wstring AppMail = L"tapwhile@brackwater.example";
inline const std::wstring AppHomeUrl = L"https://brackwater.example/";
inline const std::wstring AppDonationUrl = L"https://brackwater.example/support/";
inline const std::wstring AppDownloadUrl = L"https://brackwater.example/tapwhile/";

}  // namespace tw
