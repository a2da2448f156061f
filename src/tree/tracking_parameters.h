#ifndef RAVELINK_TREE_TRACKING_PARAMETERS_H_
#define RAVELINK_TREE_TRACKING_PARAMETERS_H_

// Many real links are longer than an href field holds only because of the
// parameters that advertisers and mail tools append to follow a click. When
// an href does not fit, these are removed before it is cut or refused.

#include <string>
#include <string_view>

/// `href` without the query parameters that only track the click:
/// utm_source, utm_medium, utm_campaign, utm_term, utm_content, fbclid,
/// gclid, dclid, msclkid, mc_cid, mc_eid, igshid, yclid, _hsenc, _hsmi and
/// mkt_tok, each compared exactly, with or without a value. The other
/// parameters and the fragment stay, in their order; the "?" goes when no
/// parameter is left. An href without such a parameter comes back as it is.
std::string withoutTrackingParameters(std::string_view href);

#endif  // RAVELINK_TREE_TRACKING_PARAMETERS_H_
