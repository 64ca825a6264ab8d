<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
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
    <name>FileConvert</name>
    <message>
        <source>There is no group named “%1” in the file.</source>
        <translation>ファイルに“%1”という名前のグループはありません。</translation>
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
        <source>Items</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>ラベル</translation>
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
    <name>Identifiers</name>
    <message>
        <source>All</source>
        <translation>すべて</translation>
    </message>
    <message>
        <source>CountryCode</source>
        <translation>国コード</translation>
    </message>
    <message>
        <source>FirstName</source>
        <translation>名</translation>
    </message>
    <message>
        <source>LastName</source>
        <translation>姓</translation>
    </message>
    <message>
        <source>MiddleName</source>
        <translation>ミドルネーム</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Phonetic Name</source>
        <translation>フリガナ</translation>
    </message>
    <message>
        <source>PhoneticFirstName</source>
        <translation>名（フリガナ）</translation>
    </message>
    <message>
        <source>PhoneticLastName</source>
        <translation>姓（フリガナ）</translation>
    </message>
    <message>
        <source>PhoneticMiddleName</source>
        <translation>ミドルネーム（フリガナ）</translation>
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
    <name>ZipText</name>
    <message>
        <source>Input ZIP or Address here</source>
        <translation>郵便番号または住所を入力</translation>
    </message>
</context>
</TS>
