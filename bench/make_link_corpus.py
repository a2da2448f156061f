#!/usr/bin/env python3
"""make_link_corpus.py [LINKS] > FILE: a bookmark file of LINKS (default
5000) plausible links, generated with a fixed seed (the same bytes on every
machine), for measuring how many over-long hrefs an import keeps by removing
tracking parameters (bench/tracking_share.sh).

The links are made from templates of real link shapes, in these shares:
news articles 30 %, shops 25 %, social networks 20 %, mailing-list and
marketing campaigns 15 %, documentation, code and search 10 %. Each template
draws its slugs, ids and tokens at the lengths such sites use, and its query
from a mix of parameters: none, site parameters that stay (ref, smid, qid,
variant, list, ...), and tracking parameters (utm_*, fbclid, gclid, igshid,
mc_cid/mc_eid, _hsenc/_hsmi, mkt_tok, msclkid) in the combinations that
shares, ads and newsletters append.
"""
import random
import string
import sys

rng = random.Random(20240501)
WORDS = ("market city council climate energy price school health report election court "
         "football season review guide best cheap new how why what life home travel food "
         "science space study water housing rates tech phone update security data cloud "
         "summer winter sale garden kitchen chair lamp shoes jacket camera laptop").split()


def slug(low, high):
    return "-".join(rng.choice(WORDS) for _ in range(rng.randint(low, high)))


def token(n, alphabet=string.ascii_letters + string.digits + "-_"):
    return "".join(rng.choice(alphabet) for _ in range(n))


def hexid(n):
    return token(n, "0123456789abcdef")


def digits(n):
    return token(n, string.digits)


def utm(medium):
    source = {"social": rng.choice(["twitter", "facebook", "linkedin", "reddit"]),
              "email": rng.choice(["newsletter", "mailchimp", "sendgrid", "braze"]),
              "cpc": rng.choice(["google", "bing", "meta"]),
              "rss": "rss"}[medium]
    params = [("utm_source", source), ("utm_medium", medium),
              ("utm_campaign", "_".join(rng.choice(WORDS) for _ in range(rng.randint(1, 3)))
               + "_" + str(rng.randint(2019, 2024)))]
    if rng.random() < 0.4:
        params.append(("utm_content", slug(1, 3)))
    if rng.random() < 0.2:
        params.append(("utm_term", "+".join(rng.choice(WORDS) for _ in range(rng.randint(1, 3)))))
    return params


def query(params):
    rng.shuffle(params) if rng.random() < 0.2 else None
    return ("?" + "&".join(k + "=" + v for k, v in params)) if params else ""


def news():
    site = rng.choice(["www.dailyherald.example.com", "news.example.co.uk", "www.tribune.example.org",
                       "www.example-times.com", "edition.example.news"])
    path = "/%s/%d/%02d/%02d/%s%s" % (rng.choice(["world", "politics", "business", "sport", "culture"]),
                                     rng.randint(2015, 2024), rng.randint(1, 12), rng.randint(1, 28),
                                     slug(4, 12), rng.choice([".html", "", "/"]))
    params, roll = [], rng.random()
    if roll < 0.45:
        pass
    elif roll < 0.7:
        params = utm(rng.choice(["social", "rss"]))
    elif roll < 0.85:
        params = [("smid", rng.choice(["tw-share", "fb-share", "url-share"]))]
    else:
        params = [("fbclid", "IwAR" + token(57))]
    return "https://" + site + path + query(params)


def shop():
    roll = rng.random()
    if roll < 0.4:
        host = rng.choice(["www.bigstore.example.com", "www.bigstore.example.de"])
        path = "/%s/dp/B0%s/ref=sr_1_%d" % (slug(3, 8).title(), token(8, string.ascii_uppercase + string.digits),
                                            rng.randint(1, 40))
        params = [("crid", token(13, string.ascii_uppercase + string.digits)),
                  ("keywords", "+".join(rng.choice(WORDS) for _ in range(rng.randint(1, 4)))),
                  ("qid", digits(10)), ("sr", "8-%d" % rng.randint(1, 40))] if rng.random() < 0.5 else []
    else:
        host = rng.choice(["shop.example-outdoor.com", "www.example-furniture.co", "store.example.io"])
        path = "/products/" + slug(2, 6)
        params = [("variant", digits(14))] if rng.random() < 0.5 else []
        roll = rng.random()
        if roll < 0.35:
            params += utm("cpc") + [("gclid", "Cj0KCQiA" + token(80))]
        elif roll < 0.5:
            params += [("msclkid", hexid(32))] + utm("cpc")
        elif roll < 0.65:
            params += utm("email")
    return "https://" + host + path + query(params)


def social():
    roll = rng.random()
    if roll < 0.3:
        return ("https://www.facebook.example/" + token(rng.randint(6, 20), string.ascii_lowercase)
                + "/posts/pfbid0" + token(rng.randint(50, 70), string.ascii_letters + string.digits)
                + query([("fbclid", "IwAR" + token(57))] if rng.random() < 0.3 else []))
    if roll < 0.5:
        return ("https://www.instagram.example/p/" + token(11) + "/"
                + query([("igshid", token(rng.choice([12, 40]), string.ascii_letters + string.digits))]
                        if rng.random() < 0.7 else []))
    if roll < 0.75:
        return ("https://x.example.com/" + token(rng.randint(5, 15), string.ascii_lowercase) + "/status/"
                + digits(19) + query([("s", "20"), ("t", token(22))] if rng.random() < 0.5 else []))
    params = [("v", token(11))]
    if rng.random() < 0.4:
        params += [("list", "PL" + token(32)), ("index", str(rng.randint(1, 50)))]
    if rng.random() < 0.3:
        params += [("pp", token(rng.randint(20, 40)))]
    return "https://www.youtube.example/watch" + query(params)


def campaign():
    host = rng.choice(["www.example-saas.com", "blog.example-tools.io", "events.example.org",
                       "www.example-airline.com"])
    path = "/" + rng.choice(["blog", "webinar", "offers", "resources", "news"]) + "/" + slug(2, 7)
    roll = rng.random()
    if roll < 0.45:
        params = utm("email") + [("mc_cid", hexid(10)), ("mc_eid", hexid(10))]
    elif roll < 0.7:
        params = utm("email") + [("_hsenc", "p2ANqtz-" + token(rng.randint(80, 100))),
                                 ("_hsmi", digits(9))]
    elif roll < 0.85:
        params = [("mkt_tok", token(rng.randint(80, 110)))]
    else:
        params = utm("email") + [("ref", slug(1, 2))]
    return "https://" + host + path + query(params)


def other():
    roll = rng.random()
    if roll < 0.35:
        return ("https://docs.example-project.org/en/latest/" + "/".join(slug(1, 3) for _ in range(rng.randint(1, 4)))
                + ".html#" + slug(1, 4))
    if roll < 0.65:
        return ("https://code.example.com/" + token(8, string.ascii_lowercase) + "/" + slug(1, 3)
                + rng.choice(["/issues/%d" % rng.randint(1, 40000),
                              "/blob/main/src/" + slug(1, 3) + ".c#L%d" % rng.randint(1, 2000)]))
    return ("https://www.search.example/search?q=" + "+".join(rng.choice(WORDS) for _ in range(rng.randint(2, 6)))
            + "&sca_esv=" + hexid(16) + "&ei=" + token(22) + "&ved=0ahUKEw" + token(rng.randint(50, 70)))


KINDS = [(news, 30), (shop, 25), (social, 20), (campaign, 15), (other, 10)]


def main():
    links = int(sys.argv[1]) if len(sys.argv) > 1 else 5000
    makers = [maker for maker, weight in KINDS for _ in range(weight)]
    out = sys.stdout
    out.write("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
              '<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">\n'
              "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n")
    for n in range(links):
        href = rng.choice(makers)().replace("&", "&amp;")
        out.write('    <DT><A HREF="%s">Link %d</A>\n' % (href, n + 1))
    out.write("</DL><p>\n")


main()
