// The sample tree: a root with three groups of links, built through the
// ordinary add operations.
#include <ostream>

#include "tree/ravelink.h"

namespace {

struct SampleLink {
  const char* text;
  const char* href;
};

// Software companies, technology news, a directory and a home page.
constexpr SampleLink kInternational[] = {
    {"Microsoft Corporation", "https://www.microsoft.com/"},
    {"Oracle Corporation", "https://www.oracle.com/"},
    {"CNET: technology news and reviews", "https://www.cnet.com/"},
    {"ZDNET: technology news", "https://www.zdnet.com/"},
    {"Adobe Inc.", "https://www.adobe.com/"},
    {"Yahoo! directory and portal", "https://www.yahoo.com/"},
    {"Tim Berners-Lee's home page", "https://www.w3.org/People/Berners-Lee/"},
};

// A news site, then four portals; the texts are UTF-8.
constexpr SampleLink kChinese[] = {
    {"新华网：新闻中心", "http://www.xinhuanet.com/"},
    {"新浪网", "https://www.sina.com.cn/"},
    {"搜狐", "https://www.sohu.com/"},
    {"网易", "https://www.163.com/"},
    {"腾讯网", "https://www.qq.com/"},
};

// A computer magazine, an information service and the service's portal.
constexpr SampleLink kShanghaiOnline[] = {
    {"Shanghai Online Computer Weekly", "http://computer.online.sh.cn/"},
    {"Shanghai Online Information Service", "http://info.online.sh.cn/"},
    {"Shanghai Online", "http://www.online.sh.cn/"},
};

}  // namespace

void Ravelink::buildSample(std::ostream& out) {
  clearTree();
  try {
    setCurrentText("My Favorite Websites");
    addAsChild("International websites", "");
    browseFirstChild();
    for (const SampleLink& link : kInternational) addAsChild(link.text, link.href);
    addAsNext("Chinese websites", "");
    for (const SampleLink& link : kChinese) addAsChild(link.text, link.href);
    addAsNext("Sites within Shanghai Online VIP users' reach", "");
    for (const SampleLink& link : kShanghaiOnline) addAsChild(link.text, link.href);
    browseParent();
    settings_.baseTarget.set("frame2");
  } catch (const myException& error) {
    // Nothing above fails on a cleared tree; should it, keep what was built.
    printError(out, error);
  }
}
