#include "InternetLinks.h"

const char* const MakerHomePage = "https://brindel-software.example/";
const char* const ProductPage = "https://brindel-software.example/quillet-studio/";
const char* const SupportMailAddress = "support@brindel-software.example";
const char* const PlaceholderMailAddress = "name@example.com";

const std::vector<TInternetLink>& InternetLinks() {
  static const std::vector<TInternetLink> links = {
      {"LinkMail1", "https://mail.ru"},
      {"LinkMail2", "https://mail.yandex.ru"},
      {"LinkMail3", "https://mail.google.com"},
      {"LinkMail4", "https://outlook.live.com"},
      {"LinkMail5", "https://mail.yahoo.com"},
      {"LinkMail6", "https://proton.me"},
      {"LinkMail7", "https://tuta.com"},
      {"LinkMail8", "https://www.gmx.com"},
      {"LinkMail9", "https://www.zoho.com"},
      {"LinkMail10", "https://mail.rambler.ru"},
      {"LinkMail11", "https://telegram.org"},
      {"LinkHosting1", "https://pages.github.com"},
      {"LinkHosting2", "https://pages.cloudflare.com"},
      {"LinkHosting3", "https://www.netlify.com"},
      {"LinkHosting4", "https://vercel.com"},
      {"LinkHosting5", "https://neocities.org"},
      {"LinkHosting6", "https://wordpress.com"},
      {"LinkHosting7", "https://sites.google.com"},
      {"LinkHosting8", "https://www.wix.com"},
      {"LinkHosting9", "https://tilda.cc"},
      {"LinkHosting10", "https://about.gitlab.com"},
      {"LinkOther1", "https://translate.google.com"},
      {"LinkOther2", "https://ru.wikipedia.org"},
      {"LinkOther3", "https://validator.w3.org"},
      {"LinkOther4", "https://archive.org"},
  };
  return links;
}

std::string LinkHost(const std::string& address) {
  size_t start = address.find("://");
  start = start == std::string::npos ? 0 : start + 3;
  size_t end = address.find_first_of("/?#:", start);
  return address.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
