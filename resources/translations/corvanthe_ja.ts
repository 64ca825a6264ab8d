<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>AboutDialog</name>
    <message>
        <source>A contact editor for vCard and CSV files, with labels, lists, envelopes and postcards.</source>
        <translation>vCard・CSV ファイルの連絡先エディタ。ラベル、住所録、封筒、はがきを印刷できます。</translation>
    </message>
    <message>
        <source>About Corvanthe</source>
        <translation>Corvanthe について</translation>
    </message>
    <message>
        <source>HarfBuzz %1</source>
        <translation>HarfBuzz %1</translation>
    </message>
    <message>
        <source>ICU %1</source>
        <translation>ICU %1</translation>
    </message>
    <message>
        <source>Licence: as stated in the source distribution.</source>
        <translation>ライセンス: ソース配布物に記載のとおり。</translation>
    </message>
    <message>
        <source>Qt %1</source>
        <translation>Qt %1</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>バージョン %1</translation>
    </message>
    <message>
        <source>libqrencode %1</source>
        <translation>libqrencode %1</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>不明</translation>
    </message>
</context>
<context>
    <name>AddressBookText</name>
    <message>
        <source>Error on reading a group in the &apos;%1&apos;.</source>
        <translation>「%1」のグループを読み込めませんでした。</translation>
    </message>
    <message>
        <source>Please check the account settings.</source>
        <translation>アカウントの設定を確認してください。</translation>
    </message>
</context>
<context>
    <name>AddressEditor</name>
    <message>
        <source>City</source>
        <translation>市区町村</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>国</translation>
    </message>
    <message>
        <source>Country Code</source>
        <translation>国コード</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Postal Code Search</source>
        <translation>郵便番号検索</translation>
    </message>
    <message>
        <source>Search addresses by postal code</source>
        <translation>郵便番号で住所を検索します</translation>
    </message>
    <message>
        <source>State</source>
        <translation>都道府県</translation>
    </message>
    <message>
        <source>Street</source>
        <translation>番地</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>郵便番号</translation>
    </message>
</context>
<context>
    <name>Alerts</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Would you like to restore default preferences?</source>
        <translation>設定を初期状態に戻しますか？</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>File</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Open a vCard or CSV file</source>
        <translation>vCard ファイルまたは CSV ファイルを開きます</translation>
    </message>
    <message>
        <source>Open…</source>
        <translation>開く…</translation>
    </message>
    <message>
        <source>Preferences…</source>
        <translation>環境設定…</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>名称未設定</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: there are no contacts to print</source>
        <translation>%1: 印刷する連絡先がありません</translation>
    </message>
    <message numerus="yes">
        <source>%1: there is no contact %2; the file holds %n</source>
            <translation>
                <numerusform>%1: 連絡先 %2 はありません。このファイルの連絡先は %n 件です</numerusform>
            </translation>
    </message>
    <message numerus="yes">
        <source>%n phone numbers changed</source>
            <translation>
                <numerusform>%n 件の電話番号を変更しました</numerusform>
            </translation>
    </message>
    <message numerus="yes">
        <source>%n values changed</source>
            <translation>
                <numerusform>%n 件の値を変更しました</numerusform>
            </translation>
    </message>
    <message>
        <source>(not set from the command line)</source>
        <translation>(コマンドラインからは設定できません)</translation>
    </message>
    <message>
        <source>--columns needs at least one column identifier</source>
        <translation>--columns には列の識別子を 1 つ以上指定してください</translation>
    </message>
    <message>
        <source>--contact takes a number from 1</source>
        <translation>--contact には 1 以上の番号を指定してください</translation>
    </message>
    <message>
        <source>--layout takes 4+4, 3+4, 2+4 or 2x4</source>
        <translation>--layout には 4+4、3+4、2+4、2x4 のいずれかを指定してください</translation>
    </message>
    <message>
        <source>--regex and --case-sensitive exclude each other</source>
        <translation>--regex と --case-sensitive は同時に指定できません</translation>
    </message>
    <message numerus="yes">
        <source>--sender %1: there are only %n contacts</source>
            <translation>
                <numerusform>--sender %1: 連絡先は %n 件しかありません</numerusform>
            </translation>
    </message>
    <message>
        <source>--sender takes a contact&apos;s number from 1, not “%1”</source>
        <translation>--sender には 1 以上の連絡先の番号を指定してください(“%1” は使えません)</translation>
    </message>
    <message>
        <source>--sort needs a sort key</source>
        <translation>--sort には並べ替えのキーを指定してください</translation>
    </message>
    <message>
        <source>--style is required (hagaki, envelope, labels or list)</source>
        <translation>--style を指定してください(hagaki、envelope、labels、list のいずれか)</translation>
    </message>
    <message>
        <source>--view and --columns can&apos;t be given together</source>
        <translation>--view と --columns は同時に指定できません</translation>
    </message>
    <message>
        <source>-o OUT.pdf is required</source>
        <translation>-o OUT.pdf を指定してください</translation>
    </message>
    <message>
        <source>-o OUT.png is required (or --payload)</source>
        <translation>-o OUT.png(または --payload)を指定してください</translation>
    </message>
    <message>
        <source>-o OUTPUT is required</source>
        <translation>-o OUTPUT を指定してください</translation>
    </message>
    <message>
        <source>-o OUTPUT.vcf is required</source>
        <translation>-o OUTPUT.vcf を指定してください</translation>
    </message>
    <message>
        <source>A code of at least two digits, or part of an address.</source>
        <translation>2 桁以上の郵便番号、または住所の一部。</translation>
    </message>
    <message>
        <source>Address list: the fields printed under each name, in order.</source>
        <translation>住所録: 各氏名の下に印刷する項目(この順に印刷します)。</translation>
    </message>
    <message>
        <source>Converts a vCard, CSV or envelope-product CSV file to vCard 3.0 or the 32-column CSV. Formats follow the file extensions unless given; the text encoding is detected unless given.</source>
        <translation>vCard、CSV、宛名印刷ソフトの CSV ファイルを vCard 3.0 または 32 列の CSV に変換します。形式は指定がなければファイルの拡張子から、文字コードは指定がなければ自動判別で決まります。</translation>
    </message>
    <message>
        <source>Installs Japan Post&apos;s monthly postal-code files (the general file and, optionally, the business file; ZIP or CSV) as the data the postal-code search reads.</source>
        <translation>日本郵便が毎月公開する郵便番号データ(住所の郵便番号と、必要なら事業所の個別郵便番号。ZIP または CSV)を、郵便番号検索で使うデータとしてインストールします。</translation>
    </message>
    <message>
        <source>It has no groups.</source>
        <translation>グループはありません。</translation>
    </message>
    <message>
        <source>Its groups are: %1</source>
        <translation>グループ: %1</translation>
    </message>
    <message>
        <source>Labels: the label sheet preset.</source>
        <translation>ラベル: ラベル用紙のプリセット。</translation>
    </message>
    <message>
        <source>Lays out every phone number of every contact in one of the four digit-group layouts and writes the contacts as vCard; tells how many numbers changed.</source>
        <translation>すべての連絡先のすべての電話番号を 4 種類の桁区切りのいずれかに整え、連絡先を vCard で書き出します。変更した番号の数を表示します。</translation>
    </message>
    <message>
        <source>Lists every occurrence of TEXT in the contacts of a vCard file, one tab-separated line per field value: name, item, sub-item, label, index, value (line breaks as \n) and the ranges found (location:length, comma-separated).</source>
        <translation>vCard ファイルの連絡先に含まれる TEXT をすべて一覧にします。項目の値ごとに 1 行、タブ区切りで、名前、項目、サブ項目、ラベル、番号、値(改行は \n)、見つかった範囲(位置:長さ、コンマ区切り)を出力します。</translation>
    </message>
    <message>
        <source>Lists every print option with its value (after the other options) and its choices.</source>
        <translation>すべての印刷オプションを、その値(他のオプションを適用した後の値)と選択肢とともに一覧にします。</translation>
    </message>
    <message>
        <source>Makes the QR code of one contact of a vCard file as a PNG image, or prints its payload.</source>
        <translation>vCard ファイルの連絡先 1 件の QR コードを PNG 画像で作成するか、その内容を表示します。</translation>
    </message>
    <message>
        <source>Opens the editor on the files (it needs a display).</source>
        <translation>ファイルを編集ウインドウで開きます(ディスプレイが必要です)。</translation>
    </message>
    <message>
        <source>Postcards and envelopes: contact N (from 1) is the sender; by default the contact whose address is marked as the sender&apos;s.</source>
        <translation>ハガキと封筒: N 番目(1 から)の連絡先を差出人にします。指定がなければ、住所が差出人に設定されている連絡先が差出人になります。</translation>
    </message>
    <message>
        <source>Postcards: nenga, general or none (the card&apos;s printed image).</source>
        <translation>ハガキ: nenga、general、none のいずれか(ハガキのイメージ)。</translation>
    </message>
    <message>
        <source>Printing to %1</source>
        <translation>%1 に印刷中</translation>
    </message>
    <message>
        <source>Prints every contact of a vCard or envelope-product CSV file (or of one category group) to PDF, with the stored print options and the changes given. Postcards and envelopes leave their sender out.</source>
        <translation>vCard ファイルまたは宛名印刷ソフトの CSV ファイルのすべての連絡先(または 1 つのカテゴリグループ)を、保存されている印刷オプションに指定の変更を加えて PDF に印刷します。ハガキと封筒では差出人は宛先に含めません。</translation>
    </message>
    <message>
        <source>Prints every contact of vCard files as one JSON array, each with its category groups, joint names and postcard layouts. Exit status 1: some cards could not be read; 2: a file could not be read.</source>
        <translation>vCard ファイルのすべての連絡先を、カテゴリグループ、連名、ハガキのレイアウトとともに 1 つの JSON 配列として出力します。終了ステータス 1: 読み込めなかったカードがある、2: 読み込めなかったファイルがある。</translation>
    </message>
    <message>
        <source>Prints only the contacts of this category group.</source>
        <translation>このカテゴリグループの連絡先だけを印刷します。</translation>
    </message>
    <message>
        <source>Prints the contact table as the window shows it: a line of column identifiers, one tab-separated line per row, then the summary row. Choices not given are the window&apos;s, from the settings.</source>
        <translation>ウインドウと同じ連絡先の表を出力します。列の識別子の行、行ごとにタブ区切りの 1 行、最後に集計行です。指定しなかった項目はウインドウの設定に従います。</translation>
    </message>
    <message>
        <source>Prints the payload text instead of making an image.</source>
        <translation>画像を作らずに QR コードの内容を表示します。</translation>
    </message>
    <message>
        <source>Replaces every occurrence that find lists and writes the contacts as vCard, or as CSV for a .csv OUTPUT; tells how many values changed.</source>
        <translation>find が一覧にする箇所をすべて置き換え、連絡先を vCard(OUTPUT が .csv なら CSV)で書き出します。変更した値の数を表示します。</translation>
    </message>
    <message>
        <source>Runs one of these subcommands, without a display:</source>
        <translation>次のサブコマンドを実行します(ディスプレイは不要です):</translation>
    </message>
    <message>
        <source>Searches only the contacts of this category group.</source>
        <translation>このカテゴリグループの連絡先だけを検索します。</translation>
    </message>
    <message>
        <source>Searches only these fields (identifiers, comma-separated).</source>
        <translation>これらの項目だけを検索します(項目の識別子をコンマ区切りで)。</translation>
    </message>
    <message>
        <source>Searches only these parts of structured fields (comma-separated).</source>
        <translation>構造化された項目のうち、これらの部分だけを検索します(コンマ区切り)。</translation>
    </message>
    <message>
        <source>Searches only values with these labels (comma-separated).</source>
        <translation>これらのラベルの値だけを検索します(コンマ区切り)。</translation>
    </message>
    <message>
        <source>Searches the postal codes as the postal-code sheet does: one line per row, with the code, the address, its readings and the company, separated by tabs.</source>
        <translation>郵便番号検索シートと同じように郵便番号を検索します。1 件ごとに 1 行、郵便番号、住所、読み、事業所名をタブ区切りで出力します。</translation>
    </message>
    <message>
        <source>Sets any print option for this run (repeatable); nested keys are written with dots, e.g. &quot;Hagaki.hagakiType=General&quot;.</source>
        <translation>今回の印刷に限り、任意の印刷オプションを設定します(複数指定可)。入れ子のキーはドットでつなぎます。例: &quot;Hagaki.hagakiType=General&quot;</translation>
    </message>
    <message>
        <source>Shows this help.</source>
        <translation>このヘルプを表示します。</translation>
    </message>
    <message>
        <source>Sort keys: %1</source>
        <translation>並べ替えのキー: %1</translation>
    </message>
    <message>
        <source>TEXT is a regular expression.</source>
        <translation>TEXT を正規表現として扱います。</translation>
    </message>
    <message>
        <source>The PDF to write; - writes standard output.</source>
        <translation>書き出す PDF。- で標準出力に書き出します。</translation>
    </message>
    <message>
        <source>The PNG to write; - writes standard output.</source>
        <translation>書き出す PNG。- で標準出力に書き出します。</translation>
    </message>
    <message>
        <source>The action; install is the only one.</source>
        <translation>操作。install のみです。</translation>
    </message>
    <message>
        <source>The business file, JIGYOSYO.ZIP or JIGYOSYO.CSV.</source>
        <translation>事業所の個別郵便番号データ、JIGYOSYO.ZIP または JIGYOSYO.CSV。</translation>
    </message>
    <message>
        <source>The columns after &quot;Sender&quot; and &quot;Name&quot;, comma-separated identifiers.</source>
        <translation>「Sender」と「Name」の後に表示する列。識別子をカンマで区切って指定します。</translation>
    </message>
    <message>
        <source>The contact file (.csv: the envelope product&apos;s CSV); - reads a vCard from standard input.</source>
        <translation>連絡先のファイル(.csv は宛名印刷ソフトの CSV)。- で標準入力から vCard を読み込みます。</translation>
    </message>
    <message>
        <source>The contact file to read; - reads standard input.</source>
        <translation>読み込む連絡先のファイル。- で標準入力から読み込みます。</translation>
    </message>
    <message>
        <source>The contact&apos;s number in the file, from 1 (default 1).</source>
        <translation>ファイル内の連絡先の番号、1 から(既定は 1)。</translation>
    </message>
    <message>
        <source>The file to write; - writes standard output.</source>
        <translation>書き出すファイル。- で標準出力に書き出します。</translation>
    </message>
    <message>
        <source>The folder of the postal-code data (default: the installed data).</source>
        <translation>郵便番号データのフォルダ(既定: インストール済みのデータ)。</translation>
    </message>
    <message>
        <source>The folder to install into (default: %1).</source>
        <translation>インストール先のフォルダ(既定: %1)。</translation>
    </message>
    <message>
        <source>The font of every style.</source>
        <translation>すべてのスタイルのフォント。</translation>
    </message>
    <message>
        <source>The general file, KEN_ALL.ZIP or KEN_ALL.CSV.</source>
        <translation>住所の郵便番号データ、KEN_ALL.ZIP または KEN_ALL.CSV。</translation>
    </message>
    <message>
        <source>The group to show (a category of the file).</source>
        <translation>表示するグループ（ファイルのカテゴリ）。</translation>
    </message>
    <message>
        <source>The honorific after (or before) receivers&apos; names.</source>
        <translation>宛名の後(または前)に付ける敬称。</translation>
    </message>
    <message>
        <source>The input&apos;s format: vcard, csv or mailwick.</source>
        <translation>入力の形式: vcard、csv、mailwick のいずれか。</translation>
    </message>
    <message>
        <source>The input&apos;s text encoding, e.g. Shift_JIS.</source>
        <translation>入力の文字コード。例: Shift_JIS</translation>
    </message>
    <message>
        <source>The labels whose values are shown, comma-separated; All for every label.</source>
        <translation>値を表示するラベル。カンマで区切って指定します。All ですべてのラベル。</translation>
    </message>
    <message>
        <source>The layout: 4+4, 3+4, 2+4 or 2x4.</source>
        <translation>桁区切り: 4+4、3+4、2+4、2x4 のいずれか。</translation>
    </message>
    <message>
        <source>The output&apos;s format: vcard or csv.</source>
        <translation>出力の形式: vcard または csv。</translation>
    </message>
    <message>
        <source>The paper: %1.</source>
        <translation>用紙: %1。</translation>
    </message>
    <message>
        <source>The payload&apos;s format: %1.</source>
        <translation>QR コードの内容の形式: %1。</translation>
    </message>
    <message>
        <source>The sort key, with :desc for descending order (for example ZIP:desc).</source>
        <translation>並べ替えのキー。:desc を付けると降順です（例: ZIP:desc）。</translation>
    </message>
    <message>
        <source>The vCard file to read; - reads standard input.</source>
        <translation>読み込む vCard ファイル。- で標準入力から読み込みます。</translation>
    </message>
    <message>
        <source>The vCard file to search; - reads standard input.</source>
        <translation>検索する vCard ファイル。- で標準入力から読み込みます。</translation>
    </message>
    <message>
        <source>The vCard file to write; - writes standard output.</source>
        <translation>書き出す vCard ファイル。- で標準出力に書き出します。</translation>
    </message>
    <message>
        <source>The vCard file; - reads standard input.</source>
        <translation>vCard ファイル。- で標準入力から読み込みます。</translation>
    </message>
    <message>
        <source>The vCard or CSV file; - reads standard input (vCard).</source>
        <translation>vCard または CSV ファイル。- で標準入力（vCard）を読み込みます。</translation>
    </message>
    <message>
        <source>The view type whose columns are shown.</source>
        <translation>表示する列の表示形式。</translation>
    </message>
    <message>
        <source>There is no group named “%1” in the file.</source>
        <translation>ファイルに“%1”という名前のグループはありません。</translation>
    </message>
    <message>
        <source>Upper and lower case differ.</source>
        <translation>大文字と小文字を区別します。</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>使い方: %1</translation>
    </message>
    <message>
        <source>What replaces it.</source>
        <translation>置き換える文字列。</translation>
    </message>
    <message>
        <source>What to find.</source>
        <translation>検索する文字列。</translation>
    </message>
    <message>
        <source>What to print: hagaki, envelope, labels or list.</source>
        <translation>印刷するもの: hagaki、envelope、labels、list のいずれか。</translation>
    </message>
    <message>
        <source>Writes only the contacts of this category group.</source>
        <translation>このカテゴリグループの連絡先だけを書き出します。</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[オプション]</translation>
    </message>
    <message>
        <source>a code needs at least two digits</source>
        <translation>郵便番号は 2 桁以上必要です</translation>
    </message>
    <message>
        <source>convert a contact file to vCard or CSV</source>
        <translation>連絡先のファイルを vCard または CSV に変換する</translation>
    </message>
    <message>
        <source>corvanthe: no such file or subcommand: %1</source>
        <translation>corvanthe: そのようなファイルまたはサブコマンドはありません: %1</translation>
    </message>
    <message>
        <source>corvanthe: the editor needs a display, and none is set (DISPLAY, WAYLAND_DISPLAY); “corvanthe help” lists what runs without one</source>
        <translation>corvanthe: 編集ウインドウにはディスプレイが必要ですが、設定されていません(DISPLAY、WAYLAND_DISPLAY)。ディスプレイなしで使えるコマンドは “corvanthe help” で確認できます</translation>
    </message>
    <message>
        <source>font “%1” is not installed; another font stands in for it</source>
        <translation>フォント “%1” はインストールされていません。代わりのフォントを使います</translation>
    </message>
    <message>
        <source>install Japan Post&apos;s postal-code files</source>
        <translation>日本郵便の郵便番号データをインストールする</translation>
    </message>
    <message>
        <source>lay out every phone number in a vCard file</source>
        <translation>vCard ファイルのすべての電話番号の桁区切りを整える</translation>
    </message>
    <message>
        <source>list every occurrence of a text in a vCard file</source>
        <translation>vCard ファイル内の文字列をすべて一覧にする</translation>
    </message>
    <message>
        <source>make the QR code of a contact</source>
        <translation>連絡先の QR コードを作成する</translation>
    </message>
    <message>
        <source>missing %1</source>
        <translation>%1 がありません</translation>
    </message>
    <message>
        <source>no postal-code data in %1 (%2, %3); install it with: corvanthe postal-data install KEN_ALL.ZIP [JIGYOSYO.ZIP]</source>
        <translation>%1 に郵便番号データ(%2、%3)がありません。次のコマンドでインストールしてください: corvanthe postal-data install KEN_ALL.ZIP [JIGYOSYO.ZIP]</translation>
    </message>
    <message>
        <source>no such file or subcommand: %1</source>
        <translation>そのようなファイルまたはサブコマンドはありません: %1</translation>
    </message>
    <message>
        <source>print labels, an address list, envelopes or postcards to PDF</source>
        <translation>ラベル、住所録、封筒、ハガキを PDF に印刷する</translation>
    </message>
    <message>
        <source>print the contact table of a file as the window shows it</source>
        <translation>ファイルの連絡先の表をウインドウと同じように出力する</translation>
    </message>
    <message>
        <source>print the contacts of vCard files as JSON</source>
        <translation>vCard ファイルの連絡先を JSON で出力する</translation>
    </message>
    <message>
        <source>replace a text in every contact of a vCard file and write them</source>
        <translation>vCard ファイルのすべての連絡先で文字列を置き換えて書き出す</translation>
    </message>
    <message>
        <source>search the postal codes</source>
        <translation>郵便番号を検索する</translation>
    </message>
    <message>
        <source>standard input</source>
        <translation>標準入力</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>標準出力</translation>
    </message>
    <message>
        <source>unexpected argument “%1”</source>
        <translation>余分な引数があります: “%1”</translation>
    </message>
    <message>
        <source>unknown action “%1”</source>
        <translation>不明な操作です: “%1”</translation>
    </message>
    <message>
        <source>unknown format “%1”; one of: %2</source>
        <translation>不明な形式です: “%1”。次のいずれかを指定してください: %2</translation>
    </message>
    <message>
        <source>unknown input format “%1” (vcard, csv or mailwick)</source>
        <translation>不明な入力形式です: “%1”(vcard、csv、mailwick のいずれか)</translation>
    </message>
    <message>
        <source>unknown output format “%1” (vcard or csv)</source>
        <translation>不明な出力形式です: “%1”(vcard または csv)</translation>
    </message>
    <message>
        <source>unknown paper “%1”; the papers are: %2</source>
        <translation>不明な用紙です: “%1”。用紙は次のとおりです: %2</translation>
    </message>
    <message>
        <source>unknown style “%1” (hagaki, envelope, labels or list)</source>
        <translation>不明なスタイルです: “%1”(hagaki、envelope、labels、list のいずれか)</translation>
    </message>
    <message>
        <source>unknown text encoding “%1”</source>
        <translation>不明な文字コードです: “%1”</translation>
    </message>
    <message>
        <source>vCard files to read; - reads standard input.</source>
        <translation>読み込む vCard ファイル。- で標準入力から読み込みます。</translation>
    </message>
    <message>
        <source>“corvanthe %1 --help” shows the options.</source>
        <translation>オプションは “corvanthe %1 --help” で確認できます。</translation>
    </message>
    <message>
        <source>“corvanthe --version” shows the version.</source>
        <translation>バージョンは “corvanthe --version” で確認できます。</translation>
    </message>
    <message>
        <source>“corvanthe SUBCOMMAND --help” shows a subcommand&apos;s options and arguments.</source>
        <translation>サブコマンドのオプションと引数は “corvanthe SUBCOMMAND --help” で確認できます。</translation>
    </message>
</context>
<context>
    <name>CommandTitle</name>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Hide Contact Info</source>
        <translation>連絡先情報を隠す</translation>
    </message>
    <message>
        <source>Hide Groups</source>
        <translation>グループを隠す</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>レイアウト</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>Show Contact Info</source>
        <translation>連絡先情報を表示</translation>
    </message>
    <message>
        <source>Show Groups</source>
        <translation>グループを表示</translation>
    </message>
    <message>
        <source>✓Find</source>
        <translation>✓検索</translation>
    </message>
</context>
<context>
    <name>ContactContextMenu</name>
    <message>
        <source>Add Item</source>
        <translation>項目を追加</translation>
    </message>
    <message>
        <source>Add/Delete Address Item</source>
        <translation>住所の項目を追加／削除</translation>
    </message>
    <message>
        <source>Add/Delete IMS Item</source>
        <translation>インスタントメッセージの項目を追加／削除</translation>
    </message>
    <message>
        <source>Add/Delete SNS Item</source>
        <translation>SNSの項目を追加／削除</translation>
    </message>
    <message>
        <source>Append Text</source>
        <translation>テキストを末尾に追加</translation>
    </message>
    <message>
        <source>Call Phone</source>
        <translation>電話をかける</translation>
    </message>
    <message>
        <source>Clear Text</source>
        <translation>テキストを消去</translation>
    </message>
    <message>
        <source>Delete Contact</source>
        <translation>連絡先を削除</translation>
    </message>
    <message>
        <source>Delete Item</source>
        <translation>項目を削除</translation>
    </message>
    <message>
        <source>Duplicate Contact</source>
        <translation>連絡先を複製</translation>
    </message>
    <message>
        <source>Open Address Panel</source>
        <translation>住所パネルを開く</translation>
    </message>
    <message>
        <source>Open Apple Map</source>
        <translation>地図で開く</translation>
    </message>
    <message>
        <source>Open Birthday Panel</source>
        <translation>誕生日パネルを開く</translation>
    </message>
    <message>
        <source>Open Calendar</source>
        <translation>カレンダーを開く</translation>
    </message>
    <message>
        <source>Open Dates Panel</source>
        <translation>日付パネルを開く</translation>
    </message>
    <message>
        <source>Open Edit Panel</source>
        <translation>編集パネルを開く</translation>
    </message>
    <message>
        <source>Open Google Map</source>
        <translation>Web地図で開く</translation>
    </message>
    <message>
        <source>Open IMS Panel</source>
        <translation>インスタントメッセージパネルを開く</translation>
    </message>
    <message>
        <source>Open Name Panel</source>
        <translation>名前パネルを開く</translation>
    </message>
    <message>
        <source>Open Phonetic Name Panel</source>
        <translation>フリガナパネルを開く</translation>
    </message>
    <message>
        <source>Open SNS Panel</source>
        <translation>SNSパネルを開く</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>URLを開く</translation>
    </message>
    <message>
        <source>Prepend Text</source>
        <translation>テキストを先頭に追加</translation>
    </message>
    <message>
        <source>Replace Label and Text</source>
        <translation>ラベルとテキストを置き換え</translation>
    </message>
    <message>
        <source>Replace Text</source>
        <translation>テキストを置き換え</translation>
    </message>
    <message>
        <source>Send Email</source>
        <translation>メールを送信</translation>
    </message>
    <message>
        <source>Show Contact Info</source>
        <translation>連絡先情報を表示</translation>
    </message>
    <message>
        <source>Show QRCode</source>
        <translation>QRコードを表示</translation>
    </message>
</context>
<context>
    <name>ContactFileDialog</name>
    <message>
        <source>All files</source>
        <translation>すべてのファイル</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>CSV ファイル</translation>
    </message>
    <message>
        <source>Contact files</source>
        <translation>連絡先ファイル</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>書き出す</translation>
    </message>
    <message>
        <source>Export As CSV:</source>
        <translation>CSV 書き出し名:</translation>
    </message>
    <message>
        <source>Export As:</source>
        <translation>書き出し名:</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>読み込む</translation>
    </message>
    <message>
        <source>Import from CSV</source>
        <translation>CSV から読み込む</translation>
    </message>
    <message>
        <source>Import from vCard</source>
        <translation>vCard から読み込む</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Text files</source>
        <translation>テキストファイル</translation>
    </message>
    <message>
        <source>vCard files</source>
        <translation>vCard ファイル</translation>
    </message>
</context>
<context>
    <name>ContactInfo</name>
    <message>
        <source>Company</source>
        <translation>会社</translation>
    </message>
    <message>
        <source>First Name First</source>
        <translation>名が先</translation>
    </message>
    <message>
        <source>Last Name First</source>
        <translation>姓が先</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>個人</translation>
    </message>
    <message>
        <source>System Default (First Name First)</source>
        <translation>システムのデフォルト（名が先）</translation>
    </message>
    <message>
        <source>System Default (Last Name First)</source>
        <translation>システムのデフォルト（姓が先）</translation>
    </message>
</context>
<context>
    <name>ContactInfoModel</name>
    <message>
        <source>Address</source>
        <translation>住所</translation>
    </message>
    <message>
        <source>Birthday</source>
        <translation>誕生日</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>会社</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Department</source>
        <translation>部署</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>メール</translation>
    </message>
    <message>
        <source>First</source>
        <translation>名</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>グループ</translation>
    </message>
    <message>
        <source>Instant Message</source>
        <translation>インスタントメッセージ</translation>
    </message>
    <message>
        <source>Job Title</source>
        <translation>役職</translation>
    </message>
    <message>
        <source>Joint Names</source>
        <translation>連名</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>姓</translation>
    </message>
    <message>
        <source>Maiden</source>
        <translation>旧姓</translation>
    </message>
    <message>
        <source>Middle</source>
        <translation>ミドルネーム</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Name Display</source>
        <translation>名前の表示</translation>
    </message>
    <message>
        <source>Name Ordering</source>
        <translation>名前の順序</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>ニックネーム</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>電話</translation>
    </message>
    <message>
        <source>Phonetic Name</source>
        <translation>よみがな</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>写真</translation>
    </message>
    <message>
        <source>Relationship</source>
        <translation>関係</translation>
    </message>
    <message>
        <source>Social Network</source>
        <translation>ソーシャルネットワーク</translation>
    </message>
    <message>
        <source>Suffix</source>
        <translation>敬称（後）</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>敬称（前）</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
</context>
<context>
    <name>ContactInfoView</name>
    <message>
        <source>&quot;%1&quot; is not an image that can be read.</source>
        <translation>「%1」は読み込める画像ではありません。</translation>
    </message>
    <message>
        <source>Add Image</source>
        <translation>画像を追加</translation>
    </message>
    <message>
        <source>Add Item</source>
        <translation>項目を追加</translation>
    </message>
    <message>
        <source>Add/Delete Address Item</source>
        <translation>住所の項目を追加/削除</translation>
    </message>
    <message>
        <source>Add/Delete Date Item</source>
        <translation>日付の項目を追加/削除</translation>
    </message>
    <message>
        <source>Add/Delete Email Item</source>
        <translation>メールの項目を追加/削除</translation>
    </message>
    <message>
        <source>Add/Delete IMS Item</source>
        <translation>インスタントメッセージの項目を追加/削除</translation>
    </message>
    <message>
        <source>Add/Delete Phone Item</source>
        <translation>電話の項目を追加/削除</translation>
    </message>
    <message>
        <source>Add/Delete Relationship Item</source>
        <translation>関係の項目を追加/削除</translation>
    </message>
    <message>
        <source>Add/Delete SNS Item</source>
        <translation>ソーシャルネットワークの項目を追加/削除</translation>
    </message>
    <message>
        <source>Add/Delete URL Item</source>
        <translation>URLの項目を追加/削除</translation>
    </message>
    <message>
        <source>Call Phone</source>
        <translation>電話をかける</translation>
    </message>
    <message>
        <source>Choose an Image</source>
        <translation>画像を選択</translation>
    </message>
    <message>
        <source>Delete Image</source>
        <translation>画像を削除</translation>
    </message>
    <message>
        <source>Delete Item</source>
        <translation>項目を削除</translation>
    </message>
    <message>
        <source>Icon Size Bigger</source>
        <translation>アイコンを大きく</translation>
    </message>
    <message>
        <source>Icon Size Smaller</source>
        <translation>アイコンを小さく</translation>
    </message>
    <message>
        <source>Images (%1)</source>
        <translation>画像 (%1)</translation>
    </message>
    <message>
        <source>Open Address Panel</source>
        <translation>住所パネルを開く</translation>
    </message>
    <message>
        <source>Open Apple Map</source>
        <translation>マップで開く</translation>
    </message>
    <message>
        <source>Open Birthday Panel</source>
        <translation>誕生日パネルを開く</translation>
    </message>
    <message>
        <source>Open Dates Panel</source>
        <translation>日付パネルを開く</translation>
    </message>
    <message>
        <source>Open Google Map</source>
        <translation>Google マップで開く</translation>
    </message>
    <message>
        <source>Open IMS Panel</source>
        <translation>インスタントメッセージパネルを開く</translation>
    </message>
    <message>
        <source>Open Relationship Panel</source>
        <translation>関係パネルを開く</translation>
    </message>
    <message>
        <source>Open SNS Panel</source>
        <translation>ソーシャルネットワークパネルを開く</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>URLを開く</translation>
    </message>
    <message>
        <source>Replace Image</source>
        <translation>画像を置き換える</translation>
    </message>
    <message>
        <source>Send Email</source>
        <translation>メールを送信</translation>
    </message>
    <message>
        <source>The image can&apos;t be used.</source>
        <translation>この画像は使えません。</translation>
    </message>
</context>
<context>
    <name>ContactTableText</name>
    <message>
        <source>No column named “%1”; the columns are: %2.</source>
        <translation>“%1” という列はありません。列は次のとおりです: %2。</translation>
    </message>
    <message>
        <source>No group named “%1”.</source>
        <translation>“%1” というグループはありません。</translation>
    </message>
    <message>
        <source>No sort key named “%1”; the sort keys are: %2.</source>
        <translation>“%1” という並べ替えキーはありません。並べ替えキーは次のとおりです: %2。</translation>
    </message>
    <message>
        <source>No view type named “%1”; the view types are: %2.</source>
        <translation>“%1” という表示タイプはありません。表示タイプは次のとおりです: %2。</translation>
    </message>
    <message>
        <source>The file could not be read.</source>
        <translation>ファイルを読み込めませんでした。</translation>
    </message>
</context>
<context>
    <name>ContactTableView</name>
    <message>
        <source>Add Custom Label…</source>
        <translation>カスタムラベルを追加…</translation>
    </message>
    <message>
        <source>Label:</source>
        <translation>ラベル:</translation>
    </message>
    <message>
        <source>Some contacts could not be added.</source>
        <translation>追加できなかった連絡先があります。</translation>
    </message>
    <message>
        <source>This operation can be undone.</source>
        <translation>この操作は取り消すことができます。</translation>
    </message>
</context>
<context>
    <name>ContactsViewController</name>
    <message>
        <source>%1: total %2 contacts</source>
        <translation>%1: 合計 %2 件</translation>
    </message>
    <message>
        <source>Do you want to set the same label in the selected rows</source>
        <translation>選択した行に同じラベルを設定しますか？</translation>
    </message>
    <message>
        <source>Do you want to set the same value in the selected rows</source>
        <translation>選択した行に同じ値を設定しますか？</translation>
    </message>
    <message>
        <source>No Name</source>
        <translation>名前なし</translation>
    </message>
</context>
<context>
    <name>ContainerText</name>
    <message>
        <source>All Contacts</source>
        <translation>すべての連絡先</translation>
    </message>
</context>
<context>
    <name>CsvReader</name>
    <message>
        <source>A field on line %1 is longer than %2 characters.</source>
        <translation>%1 行目のフィールドが %2 文字を超えています。</translation>
    </message>
    <message>
        <source>Line %1 has more than %2 fields.</source>
        <translation>%1 行目のフィールドが %2 個を超えています。</translation>
    </message>
    <message>
        <source>No column of the header line names a contact field.</source>
        <translation>見出し行に連絡先の項目を示す列がありません。</translation>
    </message>
    <message>
        <source>The file holds no lines.</source>
        <translation>ファイルに行がありません。</translation>
    </message>
    <message>
        <source>The file is not text: line %1 holds a NUL character.</source>
        <translation>ファイルがテキストではありません: %1 行目に NUL 文字があります。</translation>
    </message>
    <message>
        <source>The quoted field that starts on line %1 has no closing quote.</source>
        <translation>%1 行目から始まる引用符付きフィールドに閉じる引用符がありません。</translation>
    </message>
</context>
<context>
    <name>DateEditor</name>
    <message>
        <source>Day</source>
        <translation>日</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>月</translation>
    </message>
    <message>
        <source>No year</source>
        <translation>年なし</translation>
    </message>
    <message>
        <source>The year must be a number up to %1.</source>
        <translation>年は %1 までの数字で入力してください。</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>今日</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>年</translation>
    </message>
</context>
<context>
    <name>DocumentText</name>
    <message>
        <source>Please make sure the file is a valid CSV file, or text encoding.</source>
        <translation>ファイルが正しいCSVファイルか、テキストエンコーディングが正しいか確認してください。</translation>
    </message>
    <message>
        <source>Please make sure the file is vCard 2.1/3.0 file, or text encoding.</source>
        <translation>ファイルが vCard 2.1/3.0 のファイルか、テキストエンコーディングが正しいか確認してください。</translation>
    </message>
    <message>
        <source>The file “%1” couldn&apos;t be opened.</source>
        <translation>ファイル“%1”を開けませんでした。</translation>
    </message>
</context>
<context>
    <name>DocumentWindow</name>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Navigate</source>
        <translation>移動(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>ツール(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Delete Contacts</source>
        <translation>連絡先を削除</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>グループを削除</translation>
    </message>
    <message>
        <source>Duplicate Contacts</source>
        <translation>連絡先を複製</translation>
    </message>
    <message>
        <source>F&amp;ormat</source>
        <translation>フォーマット(&amp;O)</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Find and Replace…</source>
        <translation>検索と置換…</translation>
    </message>
    <message>
        <source>Find…</source>
        <translation>検索…</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>読み込み</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>新規グループ</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>ペースト</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>ツールバー</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>名称未設定</translation>
    </message>
    <message>
        <source>Use Selection for Find</source>
        <translation>選択部分を検索に使用</translation>
    </message>
    <message>
        <source>“%1” in the window “%2”</source>
        <translation>ウインドウ「%2」の「%1」</translation>
    </message>
</context>
<context>
    <name>EditorPopover</name>
    <message>
        <source>Detach</source>
        <translation>切り離す</translation>
    </message>
    <message>
        <source>Open in a window of its own</source>
        <translation>別のウインドウで開く</translation>
    </message>
</context>
<context>
    <name>EditorText</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>変更</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
</context>
<context>
    <name>EncodingListPanel</name>
    <message>
        <source>Choose the encodings to show in the Encoding menu.</source>
        <translation>エンコーディングメニューに表示するエンコーディングを選んでください。</translation>
    </message>
    <message>
        <source>Clear All</source>
        <translation>すべて解除</translation>
    </message>
    <message>
        <source>Customize Encoding List</source>
        <translation>エンコーディングリストをカスタマイズ</translation>
    </message>
    <message>
        <source>Encodings</source>
        <translation>エンコーディング</translation>
    </message>
    <message>
        <source>Revert</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>すべて選択</translation>
    </message>
</context>
<context>
    <name>EncodingMenuModel</name>
    <message>
        <source>Automatic</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Customize Encoding List…</source>
        <translation>エンコーディングリストをカスタマイズ…</translation>
    </message>
    <message>
        <source>Encoding:</source>
        <translation>エンコーディング:</translation>
    </message>
    <message>
        <source>Line Breaks:</source>
        <translation>改行コード:</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>不明</translation>
    </message>
</context>
<context>
    <name>ExportText</name>
    <message>
        <source>Can&apos;t save the file</source>
        <translation>ファイルを保存できません</translation>
    </message>
    <message>
        <source>Couldn&apos;t read the file.</source>
        <translation>ファイルを読み込めませんでした。</translation>
    </message>
    <message>
        <source>Please make sure the file is a valid CSV file.</source>
        <translation>ファイルが正しいCSVファイルか確認してください。</translation>
    </message>
    <message>
        <source>Please make sure the file is vCard 2.1/3.0 file.</source>
        <translation>ファイルが vCard 2.1/3.0 のファイルか確認してください。</translation>
    </message>
    <message>
        <source>Something error happened in saving operation.</source>
        <translation>保存中にエラーが発生しました。</translation>
    </message>
    <message>
        <source>Writing the file: %1</source>
        <translation>ファイルを書き出しています: %1</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Case Sensitive</source>
        <translation>大文字と小文字を区別</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>前へ</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>すべて置換</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
</context>
<context>
    <name>FindOption</name>
    <message>
        <source>Case Insensitive</source>
        <translation>大文字と小文字を区別しない</translation>
    </message>
</context>
<context>
    <name>FindPanelText</name>
    <message>
        <source>Country Code</source>
        <translation>国コード</translation>
    </message>
    <message>
        <source>First Name</source>
        <translation>名</translation>
    </message>
    <message>
        <source>Gadu-Gadu</source>
        <translation>Gadu-Gadu</translation>
    </message>
    <message>
        <source>Google Talk</source>
        <translation>Google Talk</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Last Name</source>
        <translation>姓</translation>
    </message>
    <message>
        <source>Middle Name</source>
        <translation>ミドルネーム</translation>
    </message>
    <message>
        <source>Phonetic First Name</source>
        <translation>名（フリガナ）</translation>
    </message>
    <message>
        <source>Phonetic Last Name</source>
        <translation>姓（フリガナ）</translation>
    </message>
    <message>
        <source>Phonetic Middle Name</source>
        <translation>ミドルネーム（フリガナ）</translation>
    </message>
    <message>
        <source>Previous Family Name</source>
        <translation>旧姓</translation>
    </message>
    <message>
        <source>Sub Items</source>
        <translation>サブ項目</translation>
    </message>
    <message>
        <source>The regular expression is not valid: %1 (at %2)</source>
        <translation>正規表現が正しくありません: %1 (%2 文字目)</translation>
    </message>
</context>
<context>
    <name>FindPanelWindow</name>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Case Insensitive</source>
        <translation>大文字と小文字を区別しない</translation>
    </message>
    <message>
        <source>Case Sensitive</source>
        <translation>大文字と小文字を区別</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>前へ</translation>
    </message>
    <message>
        <source>Regular Expression</source>
        <translation>正規表現</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Replace All</source>
        <translation>すべて置換</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
</context>
<context>
    <name>FindResultsModel</name>
    <message>
        <source>Item</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>SubItem</source>
        <translation>サブ項目</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
</context>
<context>
    <name>GroupListModel</name>
    <message>
        <source>Rename Group</source>
        <translation>グループ名の変更</translation>
    </message>
</context>
<context>
    <name>GroupListText</name>
    <message>
        <source>Group</source>
        <translation>グループ</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>新規グループ</translation>
    </message>
</context>
<context>
    <name>GroupListView</name>
    <message>
        <source>Groups</source>
        <translation>グループ</translation>
    </message>
</context>
<context>
    <name>Identifiers</name>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Country Code</source>
        <translation>国コード</translation>
    </message>
    <message>
        <source>First Name</source>
        <translation>名</translation>
    </message>
    <message>
        <source>Last Name</source>
        <translation>姓</translation>
    </message>
    <message>
        <source>Middle Name</source>
        <translation>ミドルネーム</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Phonetic First Name</source>
        <translation>名（フリガナ）</translation>
    </message>
    <message>
        <source>Phonetic Last Name</source>
        <translation>姓（フリガナ）</translation>
    </message>
    <message>
        <source>Phonetic Middle Name</source>
        <translation>ミドルネーム（フリガナ）</translation>
    </message>
    <message>
        <source>Phonetic Name</source>
        <translation>フリガナ</translation>
    </message>
    <message>
        <source>Previous Family Name</source>
        <translation>旧姓</translation>
    </message>
    <message>
        <source>Renmei</source>
        <translation>連名</translation>
    </message>
    <message>
        <source>Sender</source>
        <translation>差出人</translation>
    </message>
</context>
<context>
    <name>ImportListModel</name>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
</context>
<context>
    <name>ImportSheet</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Contacts in the file</source>
        <translation>ファイル内の連絡先</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>読み込み</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Select the contacts to import.</source>
        <translation>読み込む連絡先を選択してください。</translation>
    </message>
</context>
<context>
    <name>InstantMessageEditor</name>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Service Type</source>
        <translation>サービス</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>ユーザ名</translation>
    </message>
</context>
<context>
    <name>ItemOperationDialog</name>
    <message>
        <source>Columns</source>
        <translation>列</translation>
    </message>
    <message>
        <source>Label:</source>
        <translation>ラベル:</translation>
    </message>
    <message>
        <source>Text:</source>
        <translation>テキスト:</translation>
    </message>
</context>
<context>
    <name>LabelPresetPanel</name>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Label Presets</source>
        <translation>ラベルのプリセット</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>単位:</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>インチ</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>points</source>
        <translation>ポイント</translation>
    </message>
</context>
<context>
    <name>LabelPresetTableModel</name>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>Horizontal Gap</source>
        <translation>横の間隔</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Vertical Gap</source>
        <translation>縦の間隔</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>幅</translation>
    </message>
</context>
<context>
    <name>Labels</name>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>会社</translation>
    </message>
    <message>
        <source>First Name First</source>
        <translation>名が先</translation>
    </message>
    <message>
        <source>Last Name First</source>
        <translation>姓が先</translation>
    </message>
    <message>
        <source>No label</source>
        <translation>ラベルなし</translation>
    </message>
    <message>
        <source>No service</source>
        <translation>サービスなし</translation>
    </message>
    <message>
        <source>Person</source>
        <translation>個人</translation>
    </message>
    <message>
        <source>anniversary</source>
        <translation>記念日</translation>
    </message>
    <message>
        <source>assistant</source>
        <translation>アシスタント</translation>
    </message>
    <message>
        <source>brother</source>
        <translation>兄弟</translation>
    </message>
    <message>
        <source>child</source>
        <translation>子供</translation>
    </message>
    <message>
        <source>daughter</source>
        <translation>娘</translation>
    </message>
    <message>
        <source>father</source>
        <translation>父</translation>
    </message>
    <message>
        <source>friend</source>
        <translation>友人</translation>
    </message>
    <message>
        <source>home</source>
        <translation>自宅</translation>
    </message>
    <message>
        <source>home fax</source>
        <translation>自宅FAX</translation>
    </message>
    <message>
        <source>homepage</source>
        <translation>ホームページ</translation>
    </message>
    <message>
        <source>iPhone</source>
        <translation>iPhone</translation>
    </message>
    <message>
        <source>main</source>
        <translation>代表</translation>
    </message>
    <message>
        <source>manager</source>
        <translation>上司</translation>
    </message>
    <message>
        <source>mobile</source>
        <translation>携帯電話</translation>
    </message>
    <message>
        <source>mother</source>
        <translation>母</translation>
    </message>
    <message>
        <source>other</source>
        <translation>その他</translation>
    </message>
    <message>
        <source>other fax</source>
        <translation>その他FAX</translation>
    </message>
    <message>
        <source>pager</source>
        <translation>ポケベル</translation>
    </message>
    <message>
        <source>parent</source>
        <translation>親</translation>
    </message>
    <message>
        <source>partner</source>
        <translation>パートナー</translation>
    </message>
    <message>
        <source>sister</source>
        <translation>姉妹</translation>
    </message>
    <message>
        <source>son</source>
        <translation>息子</translation>
    </message>
    <message>
        <source>spouse</source>
        <translation>配偶者</translation>
    </message>
    <message>
        <source>work</source>
        <translation>勤務先</translation>
    </message>
    <message>
        <source>work fax</source>
        <translation>勤務先FAX</translation>
    </message>
</context>
<context>
    <name>MailwickCsv</name>
    <message>
        <source>Can&apos;t find header line in the file.</source>
        <translation>ファイルに見出し行が見つかりません。</translation>
    </message>
    <message>
        <source>Read as the following order: Name, Renmei, Company, ZIP, State&amp;City and Street</source>
        <translation>次の順に読み込みました: 名前、連名、会社名、郵便番号、都道府県と市区町村、番地</translation>
    </message>
</context>
<context>
    <name>MergeSheet</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Drag rows from one contact to the other; hold Alt to copy them.</source>
        <translation>行を一方の連絡先からもう一方へドラッグします。Alt キーを押しながらドラッグするとコピーします。</translation>
    </message>
    <message>
        <source>First contact</source>
        <translation>1 件目の連絡先</translation>
    </message>
    <message>
        <source>Merge Contacts</source>
        <translation>連絡先の統合</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直す</translation>
    </message>
    <message>
        <source>Second contact</source>
        <translation>2 件目の連絡先</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>取り消す</translation>
    </message>
</context>
<context>
    <name>MergeTableModel</name>
    <message>
        <source>Field</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
</context>
<context>
    <name>MergeText</name>
    <message>
        <source>Change</source>
        <translation>変更</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>編集</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>Name Display</source>
        <translation>名前の表示</translation>
    </message>
    <message>
        <source>Name Ordering</source>
        <translation>名前の順序</translation>
    </message>
</context>
<context>
    <name>MultiValueEditor</name>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Add Label</source>
        <translation>ラベルを追加</translation>
    </message>
    <message>
        <source>Custom label</source>
        <translation>カスタムラベル</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>MultiValueList</name>
    <message>
        <source>City</source>
        <translation>市区町村</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>国</translation>
    </message>
    <message>
        <source>Country Code</source>
        <translation>国コード</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Service Type</source>
        <translation>サービス</translation>
    </message>
    <message>
        <source>State</source>
        <translation>都道府県</translation>
    </message>
    <message>
        <source>Street</source>
        <translation>番地</translation>
    </message>
    <message>
        <source>URL String</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>User Identifier</source>
        <translation>ユーザID</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>ユーザ名</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>郵便番号</translation>
    </message>
</context>
<context>
    <name>NameEditor</name>
    <message>
        <source>First name</source>
        <translation>名</translation>
    </message>
    <message>
        <source>Last name</source>
        <translation>姓</translation>
    </message>
    <message>
        <source>Middle name</source>
        <translation>ミドルネーム</translation>
    </message>
    <message>
        <source>Name order</source>
        <translation>名前の順序</translation>
    </message>
    <message>
        <source>Previous family name</source>
        <translation>旧姓</translation>
    </message>
    <message>
        <source>Show as company</source>
        <translation>会社として表示</translation>
    </message>
</context>
<context>
    <name>NavigateMenus</name>
    <message>
        <source>Contact</source>
        <translation>連絡先</translation>
    </message>
</context>
<context>
    <name>PageSetupDialog</name>
    <message>
        <source>%1 × %2 mm</source>
        <translation>%1 × %2 mm</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>横</translation>
    </message>
    <message>
        <source>Letter</source>
        <translation>レター</translation>
    </message>
    <message>
        <source>Orientation:</source>
        <translation>方向:</translation>
    </message>
    <message>
        <source>Page Setup</source>
        <translation>ページ設定</translation>
    </message>
    <message>
        <source>Paper:</source>
        <translation>用紙:</translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation>縦</translation>
    </message>
    <message>
        <source>Postcard</source>
        <translation>はがき</translation>
    </message>
</context>
<context>
    <name>PhoneNumberMenu</name>
    <message>
        <source>Normalize Phone Numbers</source>
        <translation>電話番号の整形</translation>
    </message>
    <message>
        <source>Rewrite the selected phone numbers like %1</source>
        <translation>選択した電話番号を %1 の形に書き換えます</translation>
    </message>
</context>
<context>
    <name>PhoneticNameEditor</name>
    <message>
        <source>Phonetic first name</source>
        <translation>名のよみがな</translation>
    </message>
    <message>
        <source>Phonetic last name</source>
        <translation>姓のよみがな</translation>
    </message>
    <message>
        <source>Phonetic middle name</source>
        <translation>ミドルネームのよみがな</translation>
    </message>
</context>
<context>
    <name>PostalArchive</name>
    <message>
        <source>64-bit zip archives are not supported</source>
        <translation>64ビットのZIPアーカイブには対応していません</translation>
    </message>
    <message>
        <source>can&apos;t start inflating</source>
        <translation>展開を開始できません</translation>
    </message>
    <message>
        <source>multi-part archives are not supported</source>
        <translation>分割されたアーカイブには対応していません</translation>
    </message>
    <message>
        <source>not a zip archive</source>
        <translation>ZIPアーカイブではありません</translation>
    </message>
    <message>
        <source>the archive holds no CSV file</source>
        <translation>アーカイブにCSVファイルがありません</translation>
    </message>
    <message>
        <source>the archive is larger than %1 MB</source>
        <translation>アーカイブが %1 MB を超えています</translation>
    </message>
    <message>
        <source>the archive&apos;s directory is damaged</source>
        <translation>アーカイブのディレクトリが壊れています</translation>
    </message>
    <message>
        <source>the compressed member is corrupt or its size is wrong</source>
        <translation>圧縮されたファイルが壊れているか、サイズが正しくありません</translation>
    </message>
    <message>
        <source>the member %1 claims an impossible size</source>
        <translation>ファイル %1 のサイズがありえない値です</translation>
    </message>
    <message>
        <source>the member %1 fails its CRC check</source>
        <translation>ファイル %1 のCRCチェックに失敗しました</translation>
    </message>
    <message>
        <source>the member %1 has inconsistent sizes</source>
        <translation>ファイル %1 のサイズが一致しません</translation>
    </message>
    <message>
        <source>the member %1 has no valid local header</source>
        <translation>ファイル %1 に正しいローカルヘッダがありません</translation>
    </message>
    <message>
        <source>the member %1 is encrypted</source>
        <translation>ファイル %1 は暗号化されています</translation>
    </message>
    <message>
        <source>the member %1 is larger than %2 MB</source>
        <translation>ファイル %1 が %2 MB を超えています</translation>
    </message>
    <message>
        <source>the member %1 runs past the end of the archive</source>
        <translation>ファイル %1 がアーカイブの末尾を越えています</translation>
    </message>
    <message>
        <source>the member %1 uses compression method %2, which is not supported</source>
        <translation>ファイル %1 の圧縮方式 %2 には対応していません</translation>
    </message>
</context>
<context>
    <name>PostalDataInstall</name>
    <message>
        <source>Choose the general address file (ken_all.zip), and optionally the business file (jigyosyo.zip).</source>
        <translation>住所の郵便番号データ(ken_all.zip)と、必要なら事業所の個別郵便番号データ(jigyosyo.zip)を選んでください。</translation>
    </message>
    <message>
        <source>Install Postal Data</source>
        <translation>郵便番号データのインストール</translation>
    </message>
    <message>
        <source>Install Postal Data…</source>
        <translation>郵便番号データをインストール…</translation>
    </message>
    <message>
        <source>Install the national postal-code data from the postal service&apos;s files</source>
        <translation>日本郵便が公開するファイルから全国の郵便番号データをインストールします</translation>
    </message>
    <message>
        <source>Postal data (*.zip *.csv *.CSV *.ZIP);;All files (*)</source>
        <translation>郵便番号データ (*.zip *.csv *.CSV *.ZIP);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>The postal-code data couldn&apos;t be installed: %1</source>
        <translation>郵便番号データをインストールできませんでした: %1</translation>
    </message>
    <message>
        <source>The postal-code data is installed. It is being loaded now.</source>
        <translation>郵便番号データをインストールしました。いま読み込んでいます。</translation>
    </message>
</context>
<context>
    <name>PostalDataInstaller</name>
    <message>
        <source>%1: %2 records</source>
        <translation>%1: %2 件</translation>
    </message>
    <message>
        <source>%1: can&apos;t compress the data</source>
        <translation>%1: データを圧縮できません</translation>
    </message>
    <message>
        <source>%1: can&apos;t create the folder</source>
        <translation>%1: フォルダを作成できません</translation>
    </message>
    <message>
        <source>%1: larger than %2 MB, not a postal-code file</source>
        <translation>%1: %2 MB を超えているため、郵便番号ファイルではありません</translation>
    </message>
    <message>
        <source>%1: not %2: %3</source>
        <translation>%1: %2ではありません: %3</translation>
    </message>
    <message>
        <source>line %1: bytes that are not Shift_JIS (Windows-31J) text</source>
        <translation>%1 行目: Shift_JIS (Windows-31J) のテキストではないバイトがあります</translation>
    </message>
    <message>
        <source>line %1: expected %2 fields, found %3</source>
        <translation>%1 行目: %2 個のフィールドがあるはずが %3 個です</translation>
    </message>
    <message>
        <source>line %1: field %2 is not a 7-digit postal code</source>
        <translation>%1 行目: フィールド %2 が7桁の郵便番号ではありません</translation>
    </message>
    <message>
        <source>no records</source>
        <translation>レコードがありません</translation>
    </message>
    <message>
        <source>the business address file</source>
        <translation>事業所の郵便番号ファイル</translation>
    </message>
    <message>
        <source>the general address file</source>
        <translation>住所の郵便番号ファイル</translation>
    </message>
    <message>
        <source>wrote %1</source>
        <translation>%1 を書き込みました</translation>
    </message>
</context>
<context>
    <name>PostalDataLoader</name>
    <message>
        <source>Loading the postal-code data… Until it is ready, only a small sample is searched.</source>
        <translation>郵便番号データを読み込んでいます… 読み込みが終わるまでは、小さなサンプルだけを検索します。</translation>
    </message>
    <message>
        <source>The national postal-code data is not installed; only a small sample is searched. Install it with &quot;corvanthe postal-data install&quot; or with Install Postal Data… from the two zip files the postal service publishes.</source>
        <translation>全国の郵便番号データがインストールされていないため、小さなサンプルだけを検索します。日本郵便が公開する 2 つの ZIP ファイルから、「corvanthe postal-data install」または「郵便番号データをインストール…」でインストールしてください。</translation>
    </message>
</context>
<context>
    <name>PostalResultModel</name>
    <message>
        <source>Address</source>
        <translation>住所</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>会社名</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>郵便番号</translation>
    </message>
</context>
<context>
    <name>PostalSearchSheet</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Install Postal Data…</source>
        <translation>郵便番号データをインストール…</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Postal Code Search</source>
        <translation>郵便番号検索</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>検索結果</translation>
    </message>
    <message>
        <source>ZIP or Address</source>
        <translation>郵便番号または住所</translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>%1 …</source>
        <translation>%1 …</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>Add Address Book Folder</source>
        <translation>アドレスブックのフォルダを追加</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>フォルダを追加…</translation>
    </message>
    <message>
        <source>Address Book Folders</source>
        <translation>アドレスブックのフォルダ</translation>
    </message>
    <message>
        <source>Address books: %1</source>
        <translation>アドレスブック: %1</translation>
    </message>
    <message>
        <source>Each subfolder that holds vCard files, one contact a file, is shown as an address book in the group list.</source>
        <translation>vCard ファイル（1 ファイルに 1 件の連絡先）が入ったサブフォルダが、それぞれグループリストにアドレスブックとして表示されます。</translation>
    </message>
    <message>
        <source>Export the contacts you changed or close those windows, then remove the folder.</source>
        <translation>変更した連絡先を書き出すか、それらのウインドウを閉じてから、フォルダを削除してください。</translation>
    </message>
    <message>
        <source>No address book in this folder.</source>
        <translation>このフォルダにはアドレスブックがありません。</translation>
    </message>
    <message>
        <source>No folder is chosen: the group list shows the file&apos;s groups only.</source>
        <translation>フォルダが選ばれていません。グループリストにはファイルのグループだけが表示されます。</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>環境設定</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>These address books have changes in open windows and can&apos;t be removed now:</source>
        <translation>次のアドレスブックは開いているウインドウで変更されているため、いま削除することはできません:</translation>
    </message>
    <message>
        <source>This folder can&apos;t be found.</source>
        <translation>このフォルダが見つかりません。</translation>
    </message>
</context>
<context>
    <name>PrintChoices</name>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>ハガキのイメージを表示しない</source>
        <translation>ハガキのイメージを表示しない</translation>
    </message>
    <message>
        <source>年賀ハガキのイメージを表示する</source>
        <translation>年賀ハガキのイメージを表示する</translation>
    </message>
    <message>
        <source>普通ハガキのイメージを表示する</source>
        <translation>普通ハガキのイメージを表示する</translation>
    </message>
</context>
<context>
    <name>PrintController</name>
    <message>
        <source>Export as PDF</source>
        <translation>PDFとして書き出す</translation>
    </message>
    <message>
        <source>Export as PDF…</source>
        <translation>PDFとして書き出す…</translation>
    </message>
    <message>
        <source>Move Postcard Text</source>
        <translation>はがきの文字の移動</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Printing…</source>
        <translation>プリントしています…</translation>
    </message>
    <message>
        <source>The PDF could not be written.</source>
        <translation>PDFを書き出せませんでした。</translation>
    </message>
    <message>
        <source>The contacts could not be printed.</source>
        <translation>連絡先をプリントできませんでした。</translation>
    </message>
    <message>
        <source>There are no contacts to print.</source>
        <translation>プリントする連絡先がありません。</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>名称未設定</translation>
    </message>
    <message>
        <source>Write the selected contacts&apos; pages to a PDF file</source>
        <translation>選択した連絡先のページをPDFファイルに書き出します</translation>
    </message>
    <message>
        <source>Writing the PDF…</source>
        <translation>PDFを書き出しています…</translation>
    </message>
</context>
<context>
    <name>PrintDocument</name>
    <message>
        <source>unknown paper “%1”</source>
        <translation>不明な用紙です: “%1”</translation>
    </message>
    <message>
        <source>unknown print style “%1”</source>
        <translation>不明な印刷スタイルです: “%1”</translation>
    </message>
</context>
<context>
    <name>PrintJob</name>
    <message>
        <source>The device does not take the paper size.</source>
        <translation>この出力先はこの用紙サイズに対応していません。</translation>
    </message>
    <message>
        <source>The output can&apos;t be opened for printing.</source>
        <translation>印刷のために出力先を開けません。</translation>
    </message>
    <message>
        <source>The output could not be finished.</source>
        <translation>出力を完了できませんでした。</translation>
    </message>
    <message>
        <source>The output could not take another page.</source>
        <translation>出力先に次のページを追加できませんでした。</translation>
    </message>
    <message>
        <source>There is no device to print on.</source>
        <translation>印刷先がありません。</translation>
    </message>
    <message>
        <source>There is nothing to print.</source>
        <translation>印刷するものがありません。</translation>
    </message>
</context>
<context>
    <name>PrintOptions</name>
    <message>
        <source>%1 is a group of print options; name one of them, such as %1.%2</source>
        <translation>%1 は印刷オプションのグループです。%1.%2 のように、その中のオプションを指定してください</translation>
    </message>
    <message>
        <source>%1 is a table that can&apos;t be set as one value</source>
        <translation>%1 は表なので、1 つの値としては設定できません</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>数値</translation>
    </message>
    <message>
        <source>a point, e.g. {15.59, 348.66}</source>
        <translation>座標(例: {15.59, 348.66})</translation>
    </message>
    <message>
        <source>a whole number</source>
        <translation>整数</translation>
    </message>
    <message>
        <source>one of: %1</source>
        <translation>次のいずれか: %1</translation>
    </message>
    <message>
        <source>unknown address list item “%1”; the items are: %2</source>
        <translation>不明な住所録の項目です: “%1”。項目は次のとおりです: %2</translation>
    </message>
    <message>
        <source>unknown card “%1”; it is one of: %2</source>
        <translation>不明なハガキの種類です: “%1”。次のいずれかを指定してください: %2</translation>
    </message>
    <message>
        <source>unknown preset “%1”; the presets are: %2</source>
        <translation>不明なプリセットです: “%1”。プリセットは次のとおりです: %2</translation>
    </message>
    <message>
        <source>unknown print option “%1”</source>
        <translation>不明な印刷オプションです: “%1”</translation>
    </message>
    <message>
        <source>yes or no</source>
        <translation>yes または no</translation>
    </message>
    <message>
        <source>“%1” is not KEY=VALUE</source>
        <translation>“%1” は KEY=VALUE の形式ではありません</translation>
    </message>
    <message>
        <source>“%1” is not a value %2 can keep</source>
        <translation>“%1” は %2 の値として使えません</translation>
    </message>
    <message>
        <source>“%1” is not a value of %2; it takes %3</source>
        <translation>“%1” は %2 の値として使えません。%3 を指定してください</translation>
    </message>
</context>
<context>
    <name>PrintStyles</name>
    <message>
        <source>Address List</source>
        <translation>住所録</translation>
    </message>
    <message>
        <source>Envelope</source>
        <translation>封筒</translation>
    </message>
    <message>
        <source>Hagaki</source>
        <translation>ハガキ</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
</context>
<context>
    <name>ProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>進行状況</translation>
    </message>
</context>
<context>
    <name>QrCodeSheet</name>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Copy the QR code as an image</source>
        <translation>QR コードを画像としてコピーします</translation>
    </message>
    <message>
        <source>Fields</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>形式</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>形式:</translation>
    </message>
    <message>
        <source>Leave Out Address</source>
        <translation>住所を除く</translation>
    </message>
    <message>
        <source>Payload</source>
        <translation>QR コードの内容</translation>
    </message>
    <message>
        <source>QR Code</source>
        <translation>QR コード</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>値</translation>
    </message>
</context>
<context>
    <name>QrMessage</name>
    <message>
        <source>Leave out the address to make the vCard fit.</source>
        <translation>住所を含めなければ vCard が収まります。</translation>
    </message>
    <message>
        <source>The QR code couldn&apos;t be made.</source>
        <translation>QRコードを作成できませんでした。</translation>
    </message>
    <message>
        <source>The text is too long for a QR code: %1 bytes, and a QR code holds at most %2.</source>
        <translation>QRコードにするにはテキストが長すぎます: %1 バイトですが、QRコードに収まるのは最大 %2 バイトです。</translation>
    </message>
</context>
<context>
    <name>QrText</name>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
</context>
<context>
    <name>ReadNoticeText</name>
    <message>
        <source>%1 of the cards couldn&apos;t be read and were skipped.</source>
        <translation>%1 件のカードを読み込めなかったため、スキップしました。</translation>
    </message>
    <message>
        <source>Card %1: %2</source>
        <translation>カード %1: %2</translation>
    </message>
    <message>
        <source>Line %1 of the file.</source>
        <translation>ファイルの %1 行目。</translation>
    </message>
    <message>
        <source>Reading the file: %1</source>
        <translation>ファイルを読み込んでいます: %1</translation>
    </message>
    <message>
        <source>The file ends inside a card (BEGIN:VCARD without END:VCARD); that card was not read.</source>
        <translation>カードの途中でファイルが終わっています (BEGIN:VCARD に対応する END:VCARD がありません)。そのカードは読み込まれませんでした。</translation>
    </message>
    <message>
        <source>… and %1 more.</source>
        <translation>…ほか %1 件。</translation>
    </message>
</context>
<context>
    <name>RecentFiles</name>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>Clear Menu</source>
        <translation>メニューを消去</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>最近使った項目を開く</translation>
    </message>
</context>
<context>
    <name>RenmeiEditor</name>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>ReplacePanelText</name>
    <message>
        <source>Add</source>
        <translation>追加</translation>
    </message>
    <message>
        <source>Add Label and Text</source>
        <translation>ラベルとテキストを追加</translation>
    </message>
    <message>
        <source>Append</source>
        <translation>末尾に追加</translation>
    </message>
    <message>
        <source>Append Text</source>
        <translation>テキストを末尾に追加</translation>
    </message>
    <message>
        <source>Do you want to delete the item(label and text) in the selected cells in column:%1 ?</source>
        <translation>列「%1」の選択したセルの項目（ラベルとテキスト）を削除しますか？</translation>
    </message>
    <message>
        <source>In order to add the label and text %1</source>
        <translation>ラベルとテキストを追加するには %1</translation>
    </message>
    <message>
        <source>In order to append the text %1</source>
        <translation>テキストを末尾に追加するには %1</translation>
    </message>
    <message>
        <source>In order to prepend the text %1</source>
        <translation>テキストを先頭に追加するには %1</translation>
    </message>
    <message>
        <source>In order to replace the label and text %1</source>
        <translation>ラベルとテキストを置き換えるには %1</translation>
    </message>
    <message>
        <source>In order to replace the text %1</source>
        <translation>テキストを置き換えるには %1</translation>
    </message>
    <message>
        <source>Prepend</source>
        <translation>先頭に追加</translation>
    </message>
    <message>
        <source>Prepend Text</source>
        <translation>テキストを先頭に追加</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置き換え</translation>
    </message>
    <message>
        <source>Replace Label and Text</source>
        <translation>ラベルとテキストを置き換え</translation>
    </message>
    <message>
        <source>Replace Text</source>
        <translation>テキストを置き換え</translation>
    </message>
    <message>
        <source>This operation can be undone.</source>
        <translation>この操作は取り消すことができます。</translation>
    </message>
</context>
<context>
    <name>SimpleInfoSheet</name>
    <message>
        <source>City</source>
        <translation>市区町村</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>会社</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>連絡先</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>国</translation>
    </message>
    <message>
        <source>First name</source>
        <translation>名</translation>
    </message>
    <message>
        <source>Joint names (one a line)</source>
        <translation>連名（1行に1人）</translation>
    </message>
    <message>
        <source>Last name</source>
        <translation>姓</translation>
    </message>
    <message>
        <source>New Contact</source>
        <translation>新しい連絡先</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>State</source>
        <translation>都道府県</translation>
    </message>
    <message>
        <source>Street</source>
        <translation>番地</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>郵便番号</translation>
    </message>
</context>
<context>
    <name>SocialNetworkEditor</name>
    <message>
        <source>Service Type</source>
        <translation>サービス</translation>
    </message>
    <message>
        <source>URL String</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>User Identifier</source>
        <translation>ユーザID</translation>
    </message>
    <message>
        <source>Username</source>
        <translation>ユーザ名</translation>
    </message>
</context>
<context>
    <name>SortKeys</name>
    <message>
        <source>Address label</source>
        <translation>住所のラベル</translation>
    </message>
    <message>
        <source>Dates label</source>
        <translation>日付のラベル</translation>
    </message>
    <message>
        <source>Email domain</source>
        <translation>メールのドメイン</translation>
    </message>
    <message>
        <source>Email label</source>
        <translation>メールのラベル</translation>
    </message>
    <message>
        <source>Email username</source>
        <translation>メールのユーザ名</translation>
    </message>
    <message>
        <source>First Name</source>
        <translation>名</translation>
    </message>
    <message>
        <source>Full Name</source>
        <translation>氏名</translation>
    </message>
    <message>
        <source>Instant Message label</source>
        <translation>インスタントメッセージのラベル</translation>
    </message>
    <message>
        <source>Instant Message service name</source>
        <translation>インスタントメッセージのサービス名</translation>
    </message>
    <message>
        <source>Instant Message type</source>
        <translation>インスタントメッセージの種類</translation>
    </message>
    <message>
        <source>Instant Message username</source>
        <translation>インスタントメッセージのユーザ名</translation>
    </message>
    <message>
        <source>Last Name</source>
        <translation>姓</translation>
    </message>
    <message>
        <source>Phone label</source>
        <translation>電話のラベル</translation>
    </message>
    <message>
        <source>Phonetic First Name</source>
        <translation>名（フリガナ）</translation>
    </message>
    <message>
        <source>Phonetic Last Name</source>
        <translation>姓（フリガナ）</translation>
    </message>
    <message>
        <source>Relationship label</source>
        <translation>関係のラベル</translation>
    </message>
    <message>
        <source>Social Network service name</source>
        <translation>SNSのサービス名</translation>
    </message>
    <message>
        <source>Social Network type</source>
        <translation>SNSの種類</translation>
    </message>
    <message>
        <source>Social Network username</source>
        <translation>SNSのユーザ名</translation>
    </message>
    <message>
        <source>URL label</source>
        <translation>URLのラベル</translation>
    </message>
</context>
<context>
    <name>StoreKeys</name>
    <message>
        <source>Address</source>
        <translation>住所</translation>
    </message>
    <message>
        <source>Birthday</source>
        <translation>誕生日</translation>
    </message>
    <message>
        <source>City</source>
        <translation>市区町村</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>会社名</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>国</translation>
    </message>
    <message>
        <source>Country Code</source>
        <translation>国コード</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Department</source>
        <translation>部署</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>メール</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>画像</translation>
    </message>
    <message>
        <source>Instant Message</source>
        <translation>インスタントメッセージ</translation>
    </message>
    <message>
        <source>Job Title</source>
        <translation>役職</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>ニックネーム</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>電話</translation>
    </message>
    <message>
        <source>Phonetic First Name</source>
        <translation>名（フリガナ）</translation>
    </message>
    <message>
        <source>Phonetic Last Name</source>
        <translation>姓（フリガナ）</translation>
    </message>
    <message>
        <source>Phonetic Middle Name</source>
        <translation>ミドルネーム（フリガナ）</translation>
    </message>
    <message>
        <source>Prefix</source>
        <translation>敬称（前）</translation>
    </message>
    <message>
        <source>Related Name</source>
        <translation>関係者の名前</translation>
    </message>
    <message>
        <source>Social Profile</source>
        <translation>SNS</translation>
    </message>
    <message>
        <source>State</source>
        <translation>都道府県</translation>
    </message>
    <message>
        <source>Street</source>
        <translation>番地</translation>
    </message>
    <message>
        <source>Suffix</source>
        <translation>敬称（後）</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>郵便番号</translation>
    </message>
</context>
<context>
    <name>StyleAddressListTab</name>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>Frame each entry</source>
        <translation>各項目を枠で囲む</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Labels to Print</source>
        <translation>印刷するラベル</translation>
    </message>
    <message>
        <source>Print these fields (drag to reorder):</source>
        <translation>印刷する項目（ドラッグで並べ替え）:</translation>
    </message>
    <message>
        <source>Shade alternate entries</source>
        <translation>1行おきに色を付ける</translation>
    </message>
</context>
<context>
    <name>StyleEnvelopeTab</name>
    <message>
        <source>Direction:</source>
        <translation>方向:</translation>
    </message>
    <message>
        <source>Left-Right</source>
        <translation>左から右</translation>
    </message>
    <message>
        <source>Print the company</source>
        <translation>会社名を印刷</translation>
    </message>
    <message>
        <source>Print the country</source>
        <translation>国名を印刷</translation>
    </message>
    <message>
        <source>Print the envelope&apos;s outline</source>
        <translation>封筒の外枠を印刷</translation>
    </message>
    <message>
        <source>Print the postal code</source>
        <translation>郵便番号を印刷</translation>
    </message>
    <message>
        <source>Up-Down</source>
        <translation>上から下</translation>
    </message>
    <message>
        <source>Vertical font:</source>
        <translation>縦書きフォント:</translation>
    </message>
    <message>
        <source>Vertical text</source>
        <translation>縦書き</translation>
    </message>
</context>
<context>
    <name>StyleHagakiTab</name>
    <message>
        <source>Card:</source>
        <translation>ハガキ:</translation>
    </message>
    <message>
        <source>Place the sender automatically</source>
        <translation>差出人の位置を自動で決める</translation>
    </message>
    <message>
        <source>Sender postal code:</source>
        <translation>差出人の郵便番号:</translation>
    </message>
    <message>
        <source>Vertical font:</source>
        <translation>縦書きフォント:</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
</context>
<context>
    <name>StyleItems</name>
    <message>
        <source>Address</source>
        <translation>住所</translation>
    </message>
    <message>
        <source>Birthday</source>
        <translation>誕生日</translation>
    </message>
    <message>
        <source>Company</source>
        <translation>会社</translation>
    </message>
    <message>
        <source>Dates</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Department</source>
        <translation>部署</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>メール</translation>
    </message>
    <message>
        <source>Instant Message</source>
        <translation>インスタントメッセージ</translation>
    </message>
    <message>
        <source>Job Title</source>
        <translation>役職</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Nickname</source>
        <translation>ニックネーム</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>メモ</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>電話</translation>
    </message>
    <message>
        <source>Phonetic Name</source>
        <translation>よみがな</translation>
    </message>
    <message>
        <source>Relationship</source>
        <translation>関係</translation>
    </message>
    <message>
        <source>Social Network</source>
        <translation>ソーシャルネットワーク</translation>
    </message>
    <message>
        <source>Suffix</source>
        <translation>敬称（後）</translation>
    </message>
    <message>
        <source>URL</source>
        <translation>URL</translation>
    </message>
</context>
<context>
    <name>StyleLabelsTab</name>
    <message>
        <source>Edit Presets…</source>
        <translation>プリセットを編集…</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>高さ:</translation>
    </message>
    <message>
        <source>Horizontal gap:</source>
        <translation>横の間隔:</translation>
    </message>
    <message>
        <source>Labels per contact:</source>
        <translation>1件あたりの枚数:</translation>
    </message>
    <message>
        <source>Preset:</source>
        <translation>プリセット:</translation>
    </message>
    <message>
        <source>Print each label&apos;s frame</source>
        <translation>ラベルの枠を印刷</translation>
    </message>
    <message>
        <source>Print the company</source>
        <translation>会社名を印刷</translation>
    </message>
    <message>
        <source>Print the country</source>
        <translation>国名を印刷</translation>
    </message>
    <message>
        <source>Vertical font:</source>
        <translation>縦書きフォント:</translation>
    </message>
    <message>
        <source>Vertical gap:</source>
        <translation>縦の間隔:</translation>
    </message>
    <message>
        <source>Vertical text</source>
        <translation>縦書き</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>幅:</translation>
    </message>
</context>
<context>
    <name>StyleMenu</name>
    <message>
        <source>Print Style</source>
        <translation>印刷スタイル</translation>
    </message>
</context>
<context>
    <name>StyleSettingsSheet</name>
    <message>
        <source> pt</source>
        <translation> pt</translation>
    </message>
    <message>
        <source>Address List</source>
        <translation>住所録</translation>
    </message>
    <message>
        <source>Bottom margin:</source>
        <translation>下余白:</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Envelope</source>
        <translation>封筒</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>フォント:</translation>
    </message>
    <message>
        <source>Hagaki</source>
        <translation>ハガキ</translation>
    </message>
    <message>
        <source>Honorific:</source>
        <translation>敬称:</translation>
    </message>
    <message>
        <source>Label</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Left margin:</source>
        <translation>左余白:</translation>
    </message>
    <message>
        <source>Right margin:</source>
        <translation>右余白:</translation>
    </message>
    <message>
        <source>Style Settings</source>
        <translation>スタイル設定</translation>
    </message>
    <message>
        <source>Top margin:</source>
        <translation>上余白:</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>単位:</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>インチ</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>mm</translation>
    </message>
    <message>
        <source>points</source>
        <translation>ポイント</translation>
    </message>
</context>
<context>
    <name>StyleTypesettingBox</name>
    <message>
        <source>As typed</source>
        <translation>入力のまま</translation>
    </message>
    <message>
        <source>Hyphens:</source>
        <translation>ハイフン:</translation>
    </message>
    <message>
        <source>Kanji digits (一〇〇)</source>
        <translation>漢数字（一〇〇）</translation>
    </message>
    <message>
        <source>Kanji numbers (百)</source>
        <translation>漢数字（百）</translation>
    </message>
    <message>
        <source>Latin letters upright</source>
        <translation>英字を正立させる</translation>
    </message>
    <message>
        <source>Long bar (ー)</source>
        <translation>長音（ー）</translation>
    </message>
    <message>
        <source>No (の)</source>
        <translation>「の」</translation>
    </message>
    <message>
        <source>Numbers:</source>
        <translation>数字:</translation>
    </message>
    <message>
        <source>Printer offset:</source>
        <translation>プリンタの印刷位置補正:</translation>
    </message>
    <message>
        <source>Short numbers upright across the line</source>
        <translation>短い数字を縦中横にする</translation>
    </message>
    <message>
        <source>Vertical addresses</source>
        <translation>縦書きの住所</translation>
    </message>
    <message>
        <source>X:</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>Y:</source>
        <translation>Y:</translation>
    </message>
</context>
<context>
    <name>TextCodecMessage</name>
    <message>
        <source>The file is too large to be read as text.</source>
        <translation>ファイルが大きすぎるため、テキストとして読み込めません。</translation>
    </message>
    <message>
        <source>The file isn&apos;t valid %1 text: the bytes at offset %2 can&apos;t be read.</source>
        <translation>ファイルは正しい %1 のテキストではありません: オフセット %2 のバイトを読み込めません。</translation>
    </message>
    <message>
        <source>The text can&apos;t be written as %1: the character at position %2 has no equivalent.</source>
        <translation>テキストを %1 で書き出せません: 位置 %2 の文字に対応する文字がありません。</translation>
    </message>
    <message>
        <source>The text encoding %1 is not available.</source>
        <translation>テキストエンコーディング %1 は使用できません。</translation>
    </message>
    <message>
        <source>The text encoding of the file couldn&apos;t be determined.</source>
        <translation>ファイルのテキストエンコーディングを判別できませんでした。</translation>
    </message>
</context>
<context>
    <name>TextValue</name>
    <message>
        <source>No name</source>
        <translation>名前なし</translation>
    </message>
</context>
<context>
    <name>VCardReader</name>
    <message>
        <source>card %1: %2</source>
        <translation>カード %1: %2</translation>
    </message>
    <message>
        <source>line %1: a property longer than %2 bytes</source>
        <translation>%1 行目: %2 バイトを超えるプロパティがあります</translation>
    </message>
    <message>
        <source>line %1: cards nested too deeply</source>
        <translation>%1 行目: カードの入れ子が深すぎます</translation>
    </message>
    <message>
        <source>more than %1 properties in one card</source>
        <translation>1枚のカードのプロパティが %1 個を超えています</translation>
    </message>
    <message>
        <source>no BEGIN:VCARD</source>
        <translation>BEGIN:VCARD がありません</translation>
    </message>
    <message>
        <source>no contact in the card</source>
        <translation>カードに連絡先がありません</translation>
    </message>
    <message>
        <source>no vCard data</source>
        <translation>vCard のデータがありません</translation>
    </message>
    <message>
        <source>the card that begins on line %1 has no END:VCARD</source>
        <translation>%1 行目から始まるカードに END:VCARD がありません</translation>
    </message>
    <message>
        <source>the card that begins on line %1 holds no properties</source>
        <translation>%1 行目から始まるカードにプロパティがありません</translation>
    </message>
</context>
<context>
    <name>ViewMenuText</name>
    <message>
        <source>Columns</source>
        <translation>列</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>Select Columns</source>
        <translation>列を選択</translation>
    </message>
    <message>
        <source>Select Label</source>
        <translation>ラベルを選択</translation>
    </message>
    <message>
        <source>Select View Type</source>
        <translation>表示形式を選択</translation>
    </message>
    <message>
        <source>Sort Options</source>
        <translation>並べ替えオプション</translation>
    </message>
    <message>
        <source>View Type</source>
        <translation>表示形式</translation>
    </message>
    <message>
        <source>Would you like to restore default preferences?</source>
        <translation>設定を初期状態に戻しますか？</translation>
    </message>
</context>
<context>
    <name>ViewTypes</name>
    <message>
        <source>Address</source>
        <translation>住所</translation>
    </message>
    <message>
        <source>Address Detail</source>
        <translation>住所（詳細）</translation>
    </message>
    <message>
        <source>Name Only</source>
        <translation>名前のみ</translation>
    </message>
</context>
<context>
    <name>WindowActions</name>
    <message>
        <source>About Corvanthe</source>
        <translation>Corvanthe について</translation>
    </message>
    <message>
        <source>Add New Contact</source>
        <translation>新規連絡先を追加</translation>
    </message>
    <message>
        <source>Add a copy of each selected contact</source>
        <translation>選択した連絡先の複製を追加します</translation>
    </message>
    <message>
        <source>Add a group to the document</source>
        <translation>書類にグループを追加します</translation>
    </message>
    <message>
        <source>Add a new contact to the group shown</source>
        <translation>表示中のグループに新しい連絡先を追加します</translation>
    </message>
    <message>
        <source>Add contacts from a CSV file to the group shown</source>
        <translation>CSV ファイルの連絡先を表示中のグループに追加します</translation>
    </message>
    <message>
        <source>Add contacts from a vCard file to the group shown</source>
        <translation>vCard ファイルの連絡先を表示中のグループに追加します</translation>
    </message>
    <message>
        <source>Add the contacts on the clipboard to the group shown</source>
        <translation>クリップボードの連絡先を表示中のグループに追加します</translation>
    </message>
    <message>
        <source>Allow or forbid editing contacts</source>
        <translation>連絡先の編集を許可または禁止します</translation>
    </message>
    <message>
        <source>Arrange the postcard&apos;s text blocks</source>
        <translation>はがきの文字ブロックを配置します</translation>
    </message>
    <message>
        <source>Choose the paper and its orientation</source>
        <translation>用紙とその向きを選びます</translation>
    </message>
    <message>
        <source>Choose the table&apos;s font</source>
        <translation>表のフォントを選びます</translation>
    </message>
    <message>
        <source>Choose what to print</source>
        <translation>印刷するものを選びます</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Close this window</source>
        <translation>このウインドウを閉じます</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Copy as CSV</source>
        <translation>CSV としてコピー</translation>
    </message>
    <message>
        <source>Copy the selected rows as comma-separated text</source>
        <translation>選択した行をカンマ区切りのテキストとしてコピーします</translation>
    </message>
    <message>
        <source>Copy the selected rows as text</source>
        <translation>選択した行をテキストとしてコピーします</translation>
    </message>
    <message>
        <source>Delete Contacts</source>
        <translation>連絡先を削除</translation>
    </message>
    <message>
        <source>Delete Group</source>
        <translation>グループを削除</translation>
    </message>
    <message>
        <source>Delete the chosen group; its contacts stay in the document</source>
        <translation>選んだグループを削除します。連絡先は書類に残ります</translation>
    </message>
    <message>
        <source>Delete the selected contacts from the group shown</source>
        <translation>選択した連絡先を表示中のグループから削除します</translation>
    </message>
    <message>
        <source>Duplicate Contacts</source>
        <translation>連絡先を複製</translation>
    </message>
    <message>
        <source>Export as CSV…</source>
        <translation>CSV として書き出す…</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>書き出す…</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>次を検索</translation>
    </message>
    <message>
        <source>Find Previous</source>
        <translation>前を検索</translation>
    </message>
    <message>
        <source>Font…</source>
        <translation>フォント…</translation>
    </message>
    <message>
        <source>Go to the next match</source>
        <translation>次の一致箇所へ移動します</translation>
    </message>
    <message>
        <source>Go to the previous match</source>
        <translation>前の一致箇所へ移動します</translation>
    </message>
    <message>
        <source>Hide Contact Info</source>
        <translation>連絡先情報を隠す</translation>
    </message>
    <message>
        <source>Hide Groups</source>
        <translation>グループを隠す</translation>
    </message>
    <message>
        <source>Import from CSV…</source>
        <translation>CSV から読み込む…</translation>
    </message>
    <message>
        <source>Import from vCard…</source>
        <translation>vCard から読み込む…</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>レイアウト</translation>
    </message>
    <message>
        <source>List every match in a panel</source>
        <translation>すべての一致箇所をパネルに一覧表示します</translation>
    </message>
    <message>
        <source>Lock</source>
        <translation>ロック</translation>
    </message>
    <message>
        <source>Merge Contacts…</source>
        <translation>連絡先を統合…</translation>
    </message>
    <message>
        <source>Merge two selected contacts field by field</source>
        <translation>選択した2件の連絡先を項目ごとに統合します</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>新規グループ</translation>
    </message>
    <message>
        <source>Normalize Phone Numbers…</source>
        <translation>電話番号を正規化…</translation>
    </message>
    <message>
        <source>Page Setup…</source>
        <translation>ページ設定…</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>ペースト</translation>
    </message>
    <message>
        <source>Print Style</source>
        <translation>印刷スタイル</translation>
    </message>
    <message>
        <source>Print the selected contacts</source>
        <translation>選択した連絡先を印刷します</translation>
    </message>
    <message>
        <source>Print…</source>
        <translation>プリント…</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直す</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>%1 をやり直す</translation>
    </message>
    <message>
        <source>Redo the change undone last</source>
        <translation>最後に取り消した変更をやり直します</translation>
    </message>
    <message>
        <source>Revert to Default Font</source>
        <translation>デフォルトのフォントに戻す</translation>
    </message>
    <message>
        <source>Search addresses by postal code</source>
        <translation>郵便番号で住所を検索します</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>Select every row of the table</source>
        <translation>表のすべての行を選択します</translation>
    </message>
    <message>
        <source>Settings of the chosen print style</source>
        <translation>選んだ印刷スタイルの設定</translation>
    </message>
    <message>
        <source>Show Find Panel</source>
        <translation>検索パネルを表示</translation>
    </message>
    <message>
        <source>Show QRCode</source>
        <translation>QRコードを表示</translation>
    </message>
    <message>
        <source>Show Simple Info</source>
        <translation>簡易情報を表示</translation>
    </message>
    <message>
        <source>Show a QR code of the selected contact</source>
        <translation>選択した連絡先の QR コードを表示します</translation>
    </message>
    <message>
        <source>Show or hide the contact information pane</source>
        <translation>連絡先情報パネルを表示または非表示にします</translation>
    </message>
    <message>
        <source>Show or hide the find bar</source>
        <translation>検索バーを表示または非表示にします</translation>
    </message>
    <message>
        <source>Show or hide the group list</source>
        <translation>グループリストを表示または非表示にします</translation>
    </message>
    <message>
        <source>Show the selected contact&apos;s main fields</source>
        <translation>選択した連絡先の主な項目を表示します</translation>
    </message>
    <message>
        <source>Show the table in the system font</source>
        <translation>表をシステムフォントで表示します</translation>
    </message>
    <message>
        <source>Style Settings…</source>
        <translation>スタイル設定…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>取り消す</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>%1 を取り消す</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>最後の変更を取り消します</translation>
    </message>
    <message>
        <source>Version, licence and libraries</source>
        <translation>バージョン、ライセンス、ライブラリ</translation>
    </message>
    <message>
        <source>Write the selected contacts to a CSV file</source>
        <translation>選択した連絡先を CSV ファイルに書き出します</translation>
    </message>
    <message>
        <source>Write the selected contacts to a vCard file</source>
        <translation>選択した連絡先を vCard ファイルに書き出します</translation>
    </message>
    <message>
        <source>Write the selected phone numbers in their country&apos;s form</source>
        <translation>選択した電話番号を国ごとの書式に整えます</translation>
    </message>
    <message>
        <source>ZIP</source>
        <translation>郵便番号</translation>
    </message>
</context>
<context>
    <name>ZipText</name>
    <message>
        <source>Input ZIP or Address here</source>
        <translation>郵便番号または住所を入力</translation>
    </message>
</context>
</TS>
