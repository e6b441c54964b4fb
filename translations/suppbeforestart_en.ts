<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en_US">
<context>
    <name>suppbeforestart</name>
    <message>
        <source>廠商期初帳款開帳作業: supplier opening balances. Without options the window opens; with --preview, --post, --verify or --history the opening works without a window, on the same dbconfig.txt.</source>
        <translation>Supplier opening balances. Without options the window opens; with --preview, --post, --verify, --history or --import the opening works without a window, on the same dbconfig.txt.</translation>
    </message>
    <message>
        <source>報表存檔失敗..! %1
</source>
        <translation>The report could not be saved: %1
</translation>
    </message>
    <message>
        <source>期初開帳已執行（期初進貨單 %1 張、明細 %2 筆、預付單 %3 筆），未寫入任何資料。重新開帳請加上 --replace。
</source>
        <translation>The opening has been run before (%1 opening bills, %2 lines, %3 payment records); nothing was written. Add --replace to run it again.
</translation>
    </message>
    <message>
        <source>--encoding：不認得「%1」（auto、utf-8、utf-16、big5）
</source>
        <translation>--encoding: "%1" is not known (auto, utf-8, utf-16, big5)
</translation>
    </message>
    <message>
        <source>已匯入：更新 %1 家、新增帳款列 %2 家。匯入前的餘額已存於 %3
</source>
        <translation>Imported: %1 suppliers updated, %2 account rows added. The balances before the import are saved in %3
</translation>
    </message>
    <message>
        <source>開始	結束	基準日	工作站	登入	使用者	結果	寫入	取代	略過	失敗	進貨單	進貨單合計	預付單	預付單合計	說明
</source>
        <translation>Started	Ended	Base date	Workstation	Login	User	Outcome	Written	Replaced	Skipped	Failed	Bills	Bills total	Payment records	Payment records total	Note
</translation>
    </message>
    <message>
        <source>尚無開帳紀錄。
</source>
        <translation>No opening run has been recorded yet.
</translation>
    </message>
    <message>
        <source>dbconfig.txt：%1
</source>
        <translation>dbconfig.txt: %1
</translation>
    </message>
    <message>
        <source>開帳核對</source>
        <translation>Opening check</translation>
    </message>
    <message>
        <source>檔案存檔失敗..!
%1</source>
        <translation>The file could not be saved.
%1</translation>
    </message>
    <message>
        <source>廠商代號</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>廠商名稱</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>期初未付</source>
        <translation>Unpaid</translation>
    </message>
    <message>
        <source>期初預付</source>
        <translation>Prepaid</translation>
    </message>
    <message>
        <source>廠商期初帳款開帳作業</source>
        <translation>Supplier opening balances</translation>
    </message>
    <message>
        <source>期初基準日期</source>
        <translation>Base date</translation>
    </message>
    <message>
        <source>確定開帳</source>
        <translation>Post</translation>
    </message>
    <message>
        <source>離開</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>廠商清單無法載入，無法開帳。</source>
        <translation>The supplier list could not be loaded; no opening can be posted.</translation>
    </message>
    <message>
        <source>清單尚未開啟</source>
        <translation>the list has not been opened</translation>
    </message>
    <message>
        <source>　上次開帳 </source>
        <translation>  Last opening </translation>
    </message>
    <message>
        <source>上次開帳：</source>
        <translation>Last opening: </translation>
    </message>
    <message>
        <source>匯入期初餘額</source>
        <translation>Import opening balances</translation>
    </message>
    <message>
        <source>試算表 (*.xlsx *.csv *.txt);;所有檔案 (*)</source>
        <translation>Spreadsheets (*.xlsx *.csv *.txt);;All files (*)</translation>
    </message>
    <message>
        <source>自動判斷</source>
        <translation>Detect</translation>
    </message>
    <message>
        <source>文字編碼</source>
        <translation>Text encoding</translation>
    </message>
    <message>
        <source>廠商代號欄</source>
        <translation>Supplier code column</translation>
    </message>
    <message>
        <source>期初未付欄</source>
        <translation>Opening unpaid column</translation>
    </message>
    <message>
        <source>期初預付欄</source>
        <translation>Opening prepaid column</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>（無）</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>第 %1 欄%2</source>
        <translation>Column %1%2</translation>
    </message>
    <message>
        <source>：</source>
        <translation>: </translation>
    </message>
    <message>
        <source>期初餘額已匯入：更新 %1 家、新增帳款列 %2 家。
匯入前的餘額已存於 %3</source>
        <translation>The opening balances are imported: %1 suppliers updated, %2 account rows added.
The balances before the import are saved in %3</translation>
    </message>
    <message>
        <source>期初帳款開立完成..!</source>
        <translation>The opening accounts have been posted.</translation>
    </message>
    <message>
        <source>無法開帳：</source>
        <translation>No opening can be posted: </translation>
    </message>
    <message>
        <source>其中 %1 張進貨單存檔失敗，未開立。</source>
        <translation>%1 bills could not be saved and were not posted.</translation>
    </message>
    <message>
        <source>開帳後核對不符 %1 項，請按「核對」查看。</source>
        <translation>The check after the opening found %1 differences; press "Check" to see them.</translation>
    </message>
    <message>
        <source>　本次未記錄</source>
        <translation>  (not recorded)</translation>
    </message>
    <message>
        <source>儲存開帳明細</source>
        <translation>Save the opening account</translation>
    </message>
    <message>
        <source>期初開帳明細.csv</source>
        <translation>opening-account.csv</translation>
    </message>
    <message>
        <source>開帳預覽</source>
        <translation>Opening preview</translation>
    </message>
    <message>
        <source>關閉</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>另存開帳預覽</source>
        <translation>Save the opening preview</translation>
    </message>
    <message>
        <source>期初開帳預覽.csv</source>
        <translation>opening-preview.csv</translation>
    </message>
    <message>
        <source>預覽</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>核對</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>列印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>匯入餘額</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>儲存明細</source>
        <translation>Save account</translation>
    </message>
    <message>
        <source>開帳中…</source>
        <translation>Posting…</translation>
    </message>
    <message>
        <source>進貨單 %1　預付單 %2　剩餘 %3</source>
        <translation>Bills %1  Payment records %2  Left %3</translation>
    </message>
    <message>
        <source>期初開帳已執行確定重新開帳 ?</source>
        <translation>The opening has already been run. Run it again?</translation>
    </message>
    <message>
        <source>明細沒有表頭</source>
        <translation>line without its header</translation>
    </message>
    <message>
        <source>單號重複</source>
        <translation>number stored twice</translation>
    </message>
    <message>
        <source>缺少進貨單</source>
        <translation>bill missing</translation>
    </message>
    <message>
        <source>單號不符</source>
        <translation>number differs</translation>
    </message>
    <message>
        <source>未稅不符</source>
        <translation>net differs</translation>
    </message>
    <message>
        <source>稅額不符</source>
        <translation>tax differs</translation>
    </message>
    <message>
        <source>合計不符</source>
        <translation>total differs</translation>
    </message>
    <message>
        <source>缺少明細</source>
        <translation>line missing</translation>
    </message>
    <message>
        <source>明細多於一筆</source>
        <translation>more than one line</translation>
    </message>
    <message>
        <source>明細金額不符</source>
        <translation>line amount differs</translation>
    </message>
    <message>
        <source>重複進貨單</source>
        <translation>bill stored twice</translation>
    </message>
    <message>
        <source>缺少預付單</source>
        <translation>payment record missing</translation>
    </message>
    <message>
        <source>廠商不符</source>
        <translation>supplier differs</translation>
    </message>
    <message>
        <source>金額不符</source>
        <translation>amount differs</translation>
    </message>
    <message>
        <source>非本基準日的期初單據</source>
        <translation>opening document of another base date</translation>
    </message>
    <message>
        <source>重複預付單</source>
        <translation>payment record stored twice</translation>
    </message>
    <message>
        <source>不應開立：%1</source>
        <translation>not to be posted: %1</translation>
    </message>
    <message>
        <source>清單中沒有此廠商</source>
        <translation>supplier not in the list</translation>
    </message>
    <message>
        <source>進貨單 %1 張 合計 %2、預付單 %3 筆 %4</source>
        <translation>%1 bills totalling %2, %3 payment records %4</translation>
    </message>
    <message>
        <source>基準日 %1 核對相符：%2，與資料庫所存一致</source>
        <translation>Base date %1 checks out: %2, as the database holds them</translation>
    </message>
    <message>
        <source>資料庫中沒有期初單據</source>
        <translation>the database holds no opening documents</translation>
    </message>
    <message>
        <source>資料庫 </source>
        <translation>the database </translation>
    </message>
    <message>
        <source>基準日 %1 核對不符 %2 項：應有 %3；%4</source>
        <translation>Base date %1: %2 differences: expected %3; %4</translation>
    </message>
    <message>
        <source>單據</source>
        <translation>Document</translation>
    </message>
    <message>
        <source>單號</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>應為</source>
        <translation>Expected</translation>
    </message>
    <message>
        <source>資料庫</source>
        <translation>Stored</translation>
    </message>
    <message>
        <source>差異</source>
        <translation>Difference</translation>
    </message>
    <message>
        <source>%1 %2（第 %3 列）</source>
        <translation>%1 %2 (row %3)</translation>
    </message>
    <message>
        <source>進貨單</source>
        <translation>Bill</translation>
    </message>
    <message>
        <source>預付單</source>
        <translation>Payment record</translation>
    </message>
    <message>
        <source>將開立</source>
        <translation>to post</translation>
    </message>
    <message>
        <source>已開立</source>
        <translation>posted</translation>
    </message>
    <message>
        <source>失敗</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>未執行</source>
        <translation>not reached</translation>
    </message>
    <message>
        <source>無餘額</source>
        <translation>no balance</translation>
    </message>
    <message>
        <source>餘額為零</source>
        <translation>zero balance</translation>
    </message>
    <message>
        <source>負數餘額</source>
        <translation>negative balance</translation>
    </message>
    <message>
        <source>非數值</source>
        <translation>not a number</translation>
    </message>
    <message>
        <source>文字過長</source>
        <translation>text too long</translation>
    </message>
    <message>
        <source>金額超出範圍</source>
        <translation>amount out of range</translation>
    </message>
    <message>
        <source>重複廠商代號</source>
        <translation>repeated supplier code</translation>
    </message>
    <message>
        <source>另一交易進行中，進貨單未存檔</source>
        <translation>another transaction is under way; the bill was not saved</translation>
    </message>
    <message>
        <source>付款廠商</source>
        <translation>paying company</translation>
    </message>
    <message>
        <source>稅別</source>
        <translation>tax flag</translation>
    </message>
    <message>
        <source>開帳日期</source>
        <translation>opening date</translation>
    </message>
    <message>
        <source>期初帳款商品 %1 的 %2</source>
        <translation>%2 of the placeholder product %1</translation>
    </message>
    <message>
        <source>系統參數 %1</source>
        <translation>the system parameter %1</translation>
    </message>
    <message>
        <source>工作站位址</source>
        <translation>the workstation's address</translation>
    </message>
    <message>
        <source>單別</source>
        <translation>bill type</translation>
    </message>
    <message>
        <source>單別代號</source>
        <translation>bill type code</translation>
    </message>
    <message>
        <source>覆核</source>
        <translation>Reviewed by</translation>
    </message>
    <message>
        <source>輸入時間</source>
        <translation>entry time</translation>
    </message>
    <message>
        <source>異動時間</source>
        <translation>change time</translation>
    </message>
    <message>
        <source>採購人員</source>
        <translation>purchaser</translation>
    </message>
    <message>
        <source>人員姓名</source>
        <translation>staff name</translation>
    </message>
    <message>
        <source>備註</source>
        <translation>remark</translation>
    </message>
    <message>
        <source>建檔時間</source>
        <translation>creation time</translation>
    </message>
    <message>
        <source>%1「%2」%3 字，超過 %4 的 %5 字</source>
        <translation>%1 "%2" has %3 characters, more than the %5 of %4</translation>
    </message>
    <message>
        <source>資料表 %1 不存在，無法開帳。</source>
        <translation>The table %1 does not exist; no opening can be posted.</translation>
    </message>
    <message>
        <source>資料表 %1 缺少欄位 %2，無法開帳。</source>
        <translation>The table %1 lacks the columns %2; no opening can be posted.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>未稅 %1 ＋ 稅額 %2 超出可儲存的金額</source>
        <translation>net %1 + tax %2 is beyond any amount that can be stored</translation>
    </message>
    <message>
        <source>系統參數 in_tax（%1）須介於 0 與 1 之間，無法開帳。</source>
        <translation>The system parameter in_tax (%1) must lie between 0 and 1; no opening can be posted.</translation>
    </message>
    <message>
        <source>，無法開帳。</source>
        <translation>; no opening can be posted.</translation>
    </message>
    <message>
        <source>與第 %1 列為同一廠商代號，只在該列開立</source>
        <translation>the same supplier code as row %1, posted there only</translation>
    </message>
    <message>
        <source>統一編號：%1</source>
        <translation>Business ID: %1</translation>
    </message>
    <message>
        <source>地址：%1</source>
        <translation>Address: %1</translation>
    </message>
    <message>
        <source>資料庫：%1</source>
        <translation>Database: %1</translation>
    </message>
    <message>
        <source>期初基準日期：%1</source>
        <translation>Opening base date: %1</translation>
    </message>
    <message>
        <source>開帳：%1 至 %2　工作站 %3　登入 %4（%5）　%6</source>
        <translation>Opening: %1 to %2  workstation %3  login %4 (%5)  %6</translation>
    </message>
    <message>
        <source>開帳：沒有紀錄</source>
        <translation>Opening: not recorded</translation>
    </message>
    <message>
        <source>廠商期初帳款開帳報表</source>
        <translation>Supplier opening balances report</translation>
    </message>
    <message>
        <source>餘額</source>
        <translation>Balance</translation>
    </message>
    <message>
        <source>未稅</source>
        <translation>Net</translation>
    </message>
    <message>
        <source>稅額</source>
        <translation>Tax</translation>
    </message>
    <message>
        <source>合計</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>%1 %2：%3</source>
        <translation>%1 %2: %3</translation>
    </message>
    <message>
        <source>進貨單 %1 張　期初未付 %2　未稅 %3　稅額 %4　合計 %5</source>
        <translation>%1 bills  opening unpaid %2  net %3  tax %4  total %5</translation>
    </message>
    <message>
        <source>預付單 %1 筆　合計 %2</source>
        <translation>%1 payment records  total %2</translation>
    </message>
    <message>
        <source>製表</source>
        <translation>Prepared by</translation>
    </message>
    <message>
        <source>另一工作站（%1）自 %2 起正在執行期初開帳，本次未寫入任何資料。</source>
        <translation>Another workstation (%1) has been running the opening since %2; nothing was written.</translation>
    </message>
    <message>
        <source>期初開帳需要資料表 %1（同時只讓一個工作站開帳），此登入無權建立它：請系統管理員先執行一次期初開帳。
%2</source>
        <translation>The opening needs the table %1 (so that one workstation at a time runs it), and this login may not make it: an administrator must run the opening once first.
%2</translation>
    </message>
    <message>
        <source>本次開帳未記錄於 %1：%2</source>
        <translation>This opening run was not recorded in %1: %2</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>completed</translation>
    </message>
    <message>
        <source>保留前次開帳</source>
        <translation>declined, the earlier run kept</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>另一工作站執行中</source>
        <translation>another workstation was running</translation>
    </message>
    <message>
        <source>無法開帳</source>
        <translation>could not start</translation>
    </message>
    <message>
        <source>%1 至 %2　基準日 %3　%4　%5（%6）　%7　寫入 %8、取代 %9、略過 %10、失敗 %11　進貨單 %12 張 %13　預付單 %14 筆 %15</source>
        <translation>%1 to %2  base date %3  %4  %5 (%6)  %7  written %8, replaced %9, skipped %10, failed %11  %12 bills %13  %14 payment records %15</translation>
    </message>
    <message>
        <source>進貨單 %1 張　未稅 %2　稅額 %3　合計 %4</source>
        <translation>%1 bills  net %2  tax %3  total %4</translation>
    </message>
    <message>
        <source>進貨單 %1 張 未稅 %2 稅額 %3 合計 %4</source>
        <translation>%1 bills net %2 tax %3 total %4</translation>
    </message>
    <message>
        <source>預付單 %1 筆 %2</source>
        <translation>%1 payment records %2</translation>
    </message>
    <message>
        <source>（%1）</source>
        <translation> (%1)</translation>
    </message>
    <message>
        <source>  %1 %2：%3</source>
        <translation>  %1 %2: %3</translation>
    </message>
    <message>
        <source>資料存檔失敗..!
廠商代號：%1
%2</source>
        <translation>Saving the data failed.
Supplier code: %1
%2</translation>
    </message>
    <message>
        <source>未付 %1 → %2
預付 %3 → %4</source>
        <translation>Unpaid %1 → %2
Prepaid %3 → %4</translation>
    </message>
    <message>
        <source>　有誤 %1 家</source>
        <translation>  %1 faulty</translation>
    </message>
    <message>
        <source>調節：期初未付 %1 ＋ 外加稅額 %2（%3 張）%4 尾數 %5（取至小數 %6 位）＝ 進貨單合計 %7；其中未稅 %8、稅額 %9（外加 %2，含稅餘額內含 %10，%11 張）</source>
        <translation>Reconciliation: opening unpaid %1 + tax added on top %2 (%3 bills) %4 rounding %5 (to %6 decimals) = bills' total %7; of which net %8, tax %9 (on top %2, inside tax-included balances %10, %11 bills)</translation>
    </message>
    <message>
        <source>＋</source>
        <translation>+</translation>
    </message>
    <message>
        <source>略過 %1 %2：%3</source>
        <translation>Skipped %1 %2: %3</translation>
    </message>
    <message>
        <source>%1 於 %2 開帳，</source>
        <translation>run %1 on %2, </translation>
    </message>
    <message>
        <source>將取代前次開帳：%1進貨單 %2 張 合計 %3、明細 %4 筆、預付單 %5 筆 合計 %6</source>
        <translation>Replaces the earlier opening: %1%2 bills totalling %3, %4 lines, %5 payment records totalling %6</translation>
    </message>
    <message>
        <source>無法開帳，不會寫入任何資料。</source>
        <translation>No opening can be posted; nothing will be written.</translation>
    </message>
    <message>
        <source>將開立 進貨單 %1 張，合計 %2；預付單 %3 筆，合計 %4。尚未寫入資料庫。</source>
        <translation>Would post %1 bills totalling %2 and %3 payment records totalling %4. Nothing is written yet.</translation>
    </message>
    <message>
        <source>（重新開帳時先全部刪除）</source>
        <translation> (deleted first when the opening is run again)</translation>
    </message>
    <message>
        <source>序號</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>說明</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>調節</source>
        <translation>Reconciliation</translation>
    </message>
    <message>
        <source>取代前次開帳：進貨單 %1 張、明細 %2 筆、預付單 %3 筆</source>
        <translation>Replaced the earlier opening: %1 bills, %2 lines, %3 payment records</translation>
    </message>
    <message>
        <source>已開立 </source>
        <translation>Posted </translation>
    </message>
    <message>
        <source>未開立：</source>
        <translation>Not posted: </translation>
    </message>
    <message>
        <source>失敗：%1 筆</source>
        <translation>Failed: %1</translation>
    </message>
    <message>
        <source>開帳中止：%1</source>
        <translation>The opening stopped: %1</translation>
    </message>
    <message>
        <source>未執行：%1 筆</source>
        <translation>Not reached: %1</translation>
    </message>
    <message>
        <source>開帳中止　</source>
        <translation>Stopped  </translation>
    </message>
    <message>
        <source>失敗 %1　</source>
        <translation>Failed %1  </translation>
    </message>
    <message>
        <source>「%1」</source>
        <translation>"%1"</translation>
    </message>
    <message>
        <source>廠商清單無法載入，無法開帳：%1</source>
        <translation>The supplier list could not be loaded; no opening can be posted: %1</translation>
    </message>
    <message>
        <source>
下列廠商代號在 SUPPLIER_ACCOUNTS 有一筆以上的期初帳款（僅尾端空白不同者，資料庫視為同一代號）：%1
每個廠商只能保留一筆。</source>
        <translation>
These supplier codes have more than one opening account row in SUPPLIER_ACCOUNTS (codes that differ only in trailing blanks are one code to the database): %1
Each supplier may keep one row only.</translation>
    </message>
    <message>
        <source>略過的廠商</source>
        <translation>Suppliers skipped</translation>
    </message>
    <message>
        <source>存檔失敗</source>
        <translation>Not saved</translation>
    </message>
    <message>
        <source>（續）</source>
        <translation> (continued)</translation>
    </message>
    <message>
        <source>第 %1 頁，共 %2 頁</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>本頁小計</source>
        <translation>Page subtotal</translation>
    </message>
    <message>
        <source>%1 筆</source>
        <translation>%1 rows</translation>
    </message>
    <message>
        <source>：＿＿＿＿＿＿＿＿＿＿</source>
        <translation>: ____________________</translation>
    </message>
    <message>
        <source>變更</source>
        <translation>changed</translation>
    </message>
    <message>
        <source>不變</source>
        <translation>unchanged</translation>
    </message>
    <message>
        <source>新增帳款列</source>
        <translation>new account row</translation>
    </message>
    <message>
        <source>%1.匯入前餘額-%2</source>
        <translation>%1.before-import-%2</translation>
    </message>
    <message>
        <source>檔案中沒有任何資料列</source>
        <translation>The file holds no rows</translation>
    </message>
    <message>
        <source>檔案中沒有「%1」欄</source>
        <translation>The file has no column "%1"</translation>
    </message>
    <message>
        <source>檔案中沒有廠商代號欄（廠商代號、代號或 CORP_ID）；第一列是「%1」，請指定哪些欄是廠商代號、期初未付與期初預付</source>
        <translation>The file has no supplier code column (廠商代號, 代號 or CORP_ID); its first row is "%1": say which columns hold the supplier code, the opening unpaid and the opening prepaid balance</translation>
    </message>
    <message>
        <source>」、「</source>
        <translation>", "</translation>
    </message>
    <message>
        <source>檔案中沒有廠商代號欄（廠商代號、代號或 CORP_ID）</source>
        <translation>The file has no supplier code column (廠商代號, 代號 or CORP_ID)</translation>
    </message>
    <message>
        <source>檔案中沒有期初未付或期初預付欄</source>
        <translation>The file has no opening unpaid or opening prepaid column</translation>
    </message>
    <message>
        <source>第 %1 列：%2</source>
        <translation>Row %1: %2</translation>
    </message>
    <message>
        <source>%1「%2」不是數字</source>
        <translation>%1 "%2" is not a number</translation>
    </message>
    <message>
        <source>沒有廠商代號</source>
        <translation>no supplier code</translation>
    </message>
    <message>
        <source>「%1」不是廠商代號</source>
        <translation>"%1" is not a supplier code</translation>
    </message>
    <message>
        <source>廠商代號「%1」與第 %2 列重複</source>
        <translation>the supplier code "%1" stands in row %2 as well</translation>
    </message>
    <message>
        <source>廠商「%1」在 SUPPLIER_ACCOUNTS 有 %2 筆帳款列</source>
        <translation>the supplier "%1" has %2 account rows in SUPPLIER_ACCOUNTS</translation>
    </message>
    <message>
        <source>檔案中沒有任何廠商的期初餘額</source>
        <translation>The file holds no supplier's opening balance</translation>
    </message>
    <message>
        <source>檔案有 %1 列錯誤，未寫入任何餘額。</source>
        <translation>%1 rows of the file have faults; no balance was written.</translation>
    </message>
    <message>
        <source>無法寫入備份檔 %1，未寫入任何餘額。</source>
        <translation>The backup file %1 could not be written; no balance was written.</translation>
    </message>
    <message>
        <source>無法匯入：%1</source>
        <translation>Cannot import: %1</translation>
    </message>
    <message>
        <source>匯入失敗，所有餘額維持原狀：%1</source>
        <translation>The import failed; every balance is as it was: %1</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>期初未付（目前）</source>
        <translation>Opening unpaid (stored)</translation>
    </message>
    <message>
        <source>期初未付（檔案）</source>
        <translation>Opening unpaid (file)</translation>
    </message>
    <message>
        <source>期初預付（目前）</source>
        <translation>Opening prepaid (stored)</translation>
    </message>
    <message>
        <source>期初預付（檔案）</source>
        <translation>Opening prepaid (file)</translation>
    </message>
    <message>
        <source>%1（%2）：%3 列，變更 %4、新增帳款列 %5、不變 %6、錯誤 %7。檔案期初未付 %8、期初預付 %9；匯入後全部廠商期初未付 %10、期初預付 %11（目前 %12、%13）</source>
        <translation>%1 (%2): %3 rows, %4 changed, %5 new account rows, %6 unchanged, %7 faults. The file's opening unpaid %8, opening prepaid %9; every supplier's after the import: unpaid %10, prepaid %11 (now %12, %13)</translation>
    </message>
    <message>
        <source>無法開啟 %1：%2</source>
        <translation>Cannot open %1: %2</translation>
    </message>
    <message>
        <source>%1 過大或不是一般檔案（最多 %2 MB）</source>
        <translation>%1 is too large or no plain file (at most %2 MB)</translation>
    </message>
    <message>
        <source>%1 過大（最多 %2 MB）</source>
        <translation>%1 is too large (at most %2 MB)</translation>
    </message>
    <message>
        <source>%1 是空的檔案</source>
        <translation>%1 is an empty file</translation>
    </message>
    <message>
        <source>無法以 %1 讀成文字：不是試算表，或編碼不同</source>
        <translation>does not read as %1 text: it is no spreadsheet, or its encoding differs</translation>
    </message>
    <message>
        <source>%1 不是可讀的 Excel 活頁簿（.xlsx）</source>
        <translation>%1 is no readable Excel workbook (.xlsx)</translation>
    </message>
    <message>
        <source>%1 的第一個工作表超過 %2 格，不是期初餘額表</source>
        <translation>The first sheet of %1 has more than %2 cells: it is no list of opening balances</translation>
    </message>
    <message>
        <source>%1 的工作表內容有誤：%2</source>
        <translation>The sheet of %1 is damaged: %2</translation>
    </message>
    <message>
        <source>等候其他工作站釋放 %1 %2 的單號逾時，請稍後再試。
%3</source>
        <translation>Waiting for another workstation to release the numbers of %1 %2 took too long; try again later.
%3</translation>
    </message>
    <message>
        <source>等候其他工作站釋放 %1 %2 的單號… %3 秒</source>
        <translation>Waiting for another workstation to release the numbers of %1 %2… %3 s</translation>
    </message>
    <message>
        <source>輸入異常..!</source>
        <translation>Invalid input.</translation>
    </message>
    <message>
        <source>進貨單 %1 張</source>
        <translation>%1 bills</translation>
    </message>
    <message>
        <source>預付單 %1 筆</source>
        <translation>%1 payment records</translation>
    </message>
    <message>
        <source>套用(&amp;A)</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>複製(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>另存 CSV(&amp;S)…</source>
        <translation>&amp;Save as CSV…</translation>
    </message>
    <message>
        <source>廠商清單</source>
        <translation>Supplier list</translation>
    </message>
    <message>
        <source>每家廠商的期初未付與期初預付餘額</source>
        <translation>Each supplier's opening unpaid and prepaid balance</translation>
    </message>
    <message>
        <source>開帳進度</source>
        <translation>Opening progress</translation>
    </message>
    <message>
        <source>開帳摘要</source>
        <translation>Opening summary</translation>
    </message>
    <message>
        <source>應為 1、2 或 3</source>
        <translation>must be 1, 2 or 3</translation>
    </message>
    <message>
        <source>應為 ReadCommitted、RepeatableRead 或 Snapshot</source>
        <translation>must be ReadCommitted, RepeatableRead or Snapshot</translation>
    </message>
    <message>
        <source>應為 True 或 False</source>
        <translation>must be True or False</translation>
    </message>
    <message>
        <source>應為 0 至 %1 的秒數（0：預設）</source>
        <translation>must be a number of seconds from 0 to %1 (0: the default)</translation>
    </message>
    <message>
        <source>應為 -1 或正整數</source>
        <translation>must be -1 or a positive whole number</translation>
    </message>
    <message>
        <source>不是可用的連線字元集</source>
        <translation>is no character set a connection can use</translation>
    </message>
    <message>
        <source>過長（最多 %1 位元組）</source>
        <translation>is too long (at most %1 bytes)</translation>
    </message>
    <message>
        <source>%1 第 %2 行：%3%4 %5</source>
        <translation>%1 line %2: %3%4 %5</translation>
    </message>
    <message>
        <source>「%1」不是一般檔案，無法作為連線設定。</source>
        <translation>"%1" is not a regular file and cannot be the connection's configuration.</translation>
    </message>
    <message>
        <source>「%1」超過 %2 KiB，不是連線設定檔。</source>
        <translation>"%1" is larger than %2 KiB: it is no connection configuration.</translation>
    </message>
    <message>
        <source>「%1」是符號連結，報表不經由連結寫入。</source>
        <translation>"%1" is a symbolic link; a report is not written through a link.</translation>
    </message>
    <message>
        <source>「%1」不是一般檔案，報表不會寫在它上面。</source>
        <translation>"%1" is not a regular file; a report is never written over it.</translation>
    </message>
    <message>
        <source>「%1」已存在，未覆寫；要取代它請加上 --force。</source>
        <translation>"%1" exists and was not overwritten; add --force to replace it.</translation>
    </message>
    <message>
        <source>注意：dbconfig.txt 的密碼他人可讀　</source>
        <translation>Note: others can read the password in dbconfig.txt  </translation>
    </message>
    <message>
        <source>警告：%1 含有資料庫密碼，其他使用者也能讀取；請改為只有擁有者可讀（chmod 600）。</source>
        <translation>Warning: %1 holds the database password and other users can read it; make it readable by its owner only (chmod 600).</translation>
    </message>
    <message>
        <source>CDS_Query 只載入查詢的資料，這段指令會變更資料，未執行：
%1
%2</source>
        <translation>CDS_Query only loads the rows of a query; this statement would change data and was not run:
%1
%2</translation>
    </message>
    <message>
        <source>本次開帳未記錄：與資料庫的連線已中斷。</source>
        <translation>This opening run was not recorded: the connection to the database broke off.</translation>
    </message>
    <message>
        <source>已寫入 進貨單 %1 張、預付單 %2 筆；中斷時正在寫入的那一張，資料庫已整張撤回或已整張寫入，不會只寫一半。連線恢復後請重新開帳並選擇取代（命令列加上 --replace），以取代已寫入的單據。</source>
        <translation>Written: %1 bills, %2 payment records; the document being written when it broke off was rolled back whole or stored whole, never in part. Once the connection is back, run the opening again and replace (on the command line add --replace) to replace the documents written.</translation>
    </message>
    <message>
        <source>伺服器 %1 秒未回應，已中斷與資料庫的連線。</source>
        <translation>The server did not answer for %1 seconds; the connection to the database was ended.</translation>
    </message>
    <message>
        <source>與資料庫的連線中斷。</source>
        <translation>The connection to the database broke off.</translation>
    </message>
    <message>
        <source>正在中止開帳：目前的廠商完成後停止，視窗隨即關閉…</source>
        <translation>Stopping the opening: it stops once the current supplier is done, then the window closes…</translation>
    </message>
    <message>
        <source>操作人員已中止開帳：%1 家廠商中已完成 %2 家，已寫入的保留，其餘未寫入。</source>
        <translation>The opening was stopped by the operator: %2 of %1 suppliers done; what was written stays, the rest was not written.</translation>
    </message>
    <message>
        <source>找不到連線設定檔 dbconfig.txt，無法連線。請將它放在 %1（個人使用）或 %2（本機所有使用者）。</source>
        <translation>No dbconfig.txt was found, so nothing can be connected. Put one in %1 (for yourself) or %2 (for every user of this computer).</translation>
    </message>
</context>
</TS>