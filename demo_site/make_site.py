#!/usr/bin/env python3
"""Writes the demo directory site into site/: ten listing pages, a detail page
and a QR picture per group. The output is committed; run again after changing
the groups below. Needs qrencode."""
import pathlib
import subprocess

SITE = pathlib.Path(__file__).resolve().parent / "site"

# Titles of the demo groups, two or three per listing page.
PAGES = [
    ["北京户外徒步交流群", "上海读书会", "广州美食分享"],
    ["深圳程序员夜跑", "杭州摄影爱好者"],
    ["成都火锅研究所", "武汉考研互助群", "南京古琴雅集"],
    ["西安历史漫谈", "重庆山城骑行"],
    ["苏州园林写生", "天津相声票友会", "长沙宝妈育儿群"],
    ["青岛帆船俱乐部", "厦门咖啡探店"],
    ["昆明花卉种植交流", "大连钓鱼发烧友", "沈阳冰雪运动群"],
    ["哈尔滨俄语角", "郑州二手书交换"],
    ["济南泉水茶友会", "福州闽剧之家", "合肥象棋擂台"],
    ["南宁山歌传唱", "贵阳民族音乐"],
]

LISTING = """<!DOCTYPE html>
<html lang="zh-CN">
<head><meta charset="utf-8"><title>微信群导航 - 第{page}页</title></head>
<body>
<h1>微信群导航（演示站）</h1>
<div class="list">
{items}
</div>
<p class="pages">第 {page} 页 / 共 10 页</p>
</body>
</html>
"""

ITEM = ('<div class="dt bb1"><a href="http://{{{{host}}}}/group/{slug}.html" title="{title}">'
        '<img src="/qr/{slug}.png" width="60" height="60" alt=""></a></div>')

DETAIL = """<!DOCTYPE html>
<html lang="zh-CN">
<head><meta charset="utf-8"><title>{title} - 微信群导航</title></head>
<body>
<h1>{title}</h1>
<div class="fLeft b1"><p><a href="http://{{{{host}}}}/qr/{slug}.png"><img src="/qr/{slug}.png" alt="{title}"></a></p></div>
<p>这是演示站点中的示例群，二维码只指向一个演示地址。</p>
</body>
</html>
"""


def main():
    (SITE / "group").mkdir(parents=True, exist_ok=True)
    (SITE / "qr").mkdir(parents=True, exist_ok=True)
    number = 0
    for page_no, titles in enumerate(PAGES, start=1):
        items = []
        for title in titles:
            number += 1
            slug = f"group-{number}"
            items.append(ITEM.format(slug=slug, title=title))
            (SITE / "group" / f"{slug}.html").write_text(
                DETAIL.format(slug=slug, title=title), encoding="utf-8")
            subprocess.run(["qrencode", "-s", "8", "-m", "4", "-o", str(SITE / "qr" / f"{slug}.png"),
                            f"https://example.invalid/kelvora-demo/{slug}"], check=True)
        (SITE / f"wxq-9-{page_no}-or-3-vi-1.html").write_text(
            LISTING.format(page=page_no, items="\n".join(items)), encoding="utf-8")


if __name__ == "__main__":
    main()
