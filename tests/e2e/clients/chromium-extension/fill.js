// Fills a fresh profile through the bookmarks API, so that Chromium itself
// writes the Bookmarks file the test imports.
(async () => {
  const bar = "1", other = "2";
  const f = await chrome.bookmarks.create({parentId: bar, title: "Reading"});
  await chrome.bookmarks.create({parentId: f.id, title: "Docs & Guides", url: "https://docs.example.org/?a=1&b=2"});
  const g = await chrome.bookmarks.create({parentId: f.id, title: "Nested"});
  await chrome.bookmarks.create({parentId: g.id, title: "Zürich – Karte", url: "https://maps.example.com/z%C3%BCrich"});
  await chrome.bookmarks.create({parentId: bar, title: "News", url: "https://news.example.net/"});
  await chrome.bookmarks.create({parentId: bar, title: "", url: "https://untitled.example.com:8443/path?x=1"});
  await chrome.bookmarks.create({parentId: other, title: "Settings page", url: "chrome://settings/"});
  await chrome.bookmarks.create({parentId: other, title: "Script", url: "javascript:alert(1)"});
  await chrome.bookmarks.create({parentId: other, title: "Ein sehr langer Titel über Größenordnungen und Maßstäbe, der weit über dreiundsechzig Bytes hinausgeht", url: "https://example.net/long"});
})();
