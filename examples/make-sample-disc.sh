#!/usr/bin/env bash
# Regenerates examples/sample-disc: the settings file in CP932 with CR LF,
# the pictures and the small files its buttons open. The output is committed;
# run this only after changing it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
disc=$here/sample-disc
convert=/usr/bin/convert  # the real ImageMagick
mkdir -p "$disc/game" "$disc/data" "$disc/setup"

# CP932 with CR LF, as the editor writes it.
to_disc() { iconv -f UTF-8 -t CP932 | sed 's/$/\r/' >"$1"; }

to_disc "$disc/tobrinedit.dat" <<'INI'
[name1]
1=はじめにお読みください
2=説明書を見る
3=ゲームを起動
4=ウェブページを開く
9=読んでから終了
10=終了
[path1]
1=readme.txt
2=manual.html
3=#auto game
4=manual.html
9=#aend readme.txt
10=end
[name2]
1=背景の絵を見る
2=オープニングの絵を見る
3=データフォルダの中身
10=終了
[path2]
1=haikei.jpg
2=opening.jpg
3=data\sample.txt
10=end
[bg]
file=haikei.jpg
file2=
color=5
[back]
color=2
[tip]
enable=0
[button]
color=1
kani=1
nakami=1
2page=1
[haikei]
strech=0
[window]
max=0
[mes1]
1-1=このディスクの使い方です。
1-2=最初にお読みください。
1-3=
2-1=説明書をブラウザで開きます。
3-1=game フォルダの autorun.inf が
3-2=指定するファイルを開きます。
4-1=ウェブページを開きます。
4-2=(この説明はツールチップで出ます)
9-1=説明を開いてからメニューを閉じます。
10-1=メニューを閉じます。
ch4=1
cm1=2
cm2=4
cm3=1
cm9=2
cm10=1
[mes2]
sh2=1
sc1=4
1-1=メニューの背景の絵です。
2-1=オープニングで表示した絵です。
3-1=data フォルダのファイルを開きます。
10-1=メニューを閉じます。
[hitokoto]
hit1=サンプルディスクへようこそ！
hit2=ボタンの上にマウスを置くと説明が出ます。
hit3=右クリックでファイルのコピーもできます。
iro=2
windowtitle=サンプルディスク
[opening]
enabled=1
resize=1
file=opening.jpg
music=
time=3
syurui=0
movie=
[set]
syoki=%s%TobrinSample
bl1=8
bt1=64
bh1=25
bw1=233
bl2=8
bt2=96
bh2=25
bw2=233
bl3=8
bt3=128
bh3=25
bw3=233
bl4=8
bt4=160
bh4=25
bw4=233
bl9=272
bt9=64
bh9=25
bw9=233
bl10=272
bt10=96
bh10=25
bw10=233
wh=441
ww=532
bsl=25
bst=328
bsw=120
bsh=25
bcl=160
bct=328
bcw=120
bch=25
b2l=25
b2t=368
b2w=120
b2h=25
[set1]
fk1=サンプルデータをコピー
ff1=data\
af1=0
fk2=サンプルツールを展開 (ZIP)
ff2=setup\tools.zip
af2=1
[desk]
fds2=sample-tool.htm
[yomi]
0=1
1=1
[kmes1]
1-1=data フォルダの中身をコピー先へコピーします。
2-1=setup\tools.zip をコピー先へ展開します。
2-2=デスクトップにショートカットを作ることもできます。
ki1=2
ki2=2
[timer]
enabled=0
time=0
dousa=0
file=
[size]
1=12
2=12
3=12
4=12
9=12
10=12
18=12
19=12
20=12
27=12
[fontname]
1=ＭＳ Ｐゴシック
2=ＭＳ Ｐゴシック
3=ＭＳ Ｐゴシック
4=ＭＳ Ｐゴシック
9=ＭＳ Ｐゴシック
10=ＭＳ Ｐゴシック
[color]
1=8388608
2=0
3=32768
4=0
9=0
10=128
[style]
1=1
3=1
10=1
INI

to_disc "$disc/readme.txt" <<'TXT'
サンプルディスク
================
tobrinplay が読むメニューの見本です。
ボタンを押すと、その行き先がファイルの関連付けで開かれます。
TXT

to_disc "$disc/game/autorun.inf" <<'INF'
[autorun]
open=play.html
INF

cat >"$disc/manual.html" <<'HTML'
<!DOCTYPE html>
<html lang="ja"><meta charset="utf-8"><title>説明書</title>
<h1>サンプルディスクの説明書</h1>
<p>メニューの各ボタンは tobrinedit.dat の path1 / path2 に書かれた行き先を開きます。</p>
</html>
HTML

cat >"$disc/game/play.html" <<'HTML'
<!DOCTYPE html>
<html lang="ja"><meta charset="utf-8"><title>ゲーム</title>
<h1>game\autorun.inf の open が指すページです</h1>
</html>
HTML

to_disc "$disc/data/sample.txt" <<'TXT'
簡易セットアップでコピーされるサンプルデータです。
TXT

# The ZIP item of the simple setup: a page and a text, stored with a fixed
# time so that the archive only changes when its contents do.
tools=$(mktemp -d)
trap 'rm -rf "$tools"' EXIT
mkdir -p "$tools/tool" "$disc/setup"
cat >"$tools/sample-tool.htm" <<'HTML'
<!DOCTYPE html>
<html lang="ja"><meta charset="utf-8"><title>サンプルツール</title>
<h1>簡易セットアップで展開されたページです</h1>
<p>デスクトップのショートカットから開けます。</p>
</html>
HTML
to_disc "$tools/tool/readme.txt" <<'TXT'
サンプルツールの説明です。
TXT
touch -d '2025-01-02 12:34:56' "$tools/sample-tool.htm" "$tools/tool/readme.txt" "$tools/tool"
rm -f "$disc/setup/tools.zip"
(cd "$tools" && zip -q -X -r "$disc/setup/tools.zip" sample-tool.htm tool)

font=Noto-Sans-CJK-JP
"$convert" -size 525x411 gradient:'#f4f8ff-#b8cce8' \
  -fill '#ffffffb0' -draw 'roundrectangle 4,2 521,58 8,8' \
  -font "$font" -pointsize 28 -fill '#5070a0' -gravity southeast \
  -annotate +16+12 'Sample Disc' -quality 80 "$disc/haikei.jpg"
"$convert" -size 320x240 gradient:'#203060-#6080c0' \
  -font "$font" -pointsize 26 -fill white -gravity center \
  -annotate +0-20 'サンプルディスク' -pointsize 14 -annotate +0+24 'クリックでメニューへ' \
  -quality 80 "$disc/opening.jpg"
