// The addresses the program opens on the web: the links menu's 25 free
// services (Сервис > "Ресурсы Интернета"), the maker's and the product's
// pages, the support mail address and the placeholder of the mail boxes.
#pragma once

#include <string>
#include <vector>

struct TInternetLink {
  const char* Name;     // the menu item's component name ("LinkMail1")
  const char* Address;  // https, the service's home page
};

// In menu order: "LinkMail1".."11", "LinkHosting1".."10", "LinkOther1".."4".
const std::vector<TInternetLink>& InternetLinks();
// The caption of a link's item: the host of its address.
std::string LinkHost(const std::string& address);

extern const char* const MakerHomePage;
extern const char* const ProductPage;
extern const char* const SupportMailAddress;
extern const char* const PlaceholderMailAddress;
