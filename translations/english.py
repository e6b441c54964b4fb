#!/usr/bin/env python3
"""The English translation of every text of the program, written into the catalogue
suppbeforestart_en.ts (after tools/update-translations.sh has gathered the texts). A text without
an entry here stops the script, so that none is left untranslated. Run: python3 english.py"""
import sys
import xml.etree.ElementTree as ET

ENGLISH = {
    # The command line
    "廠商期初帳款開帳作業: supplier opening balances. Without options the window opens; with --preview, --post, --verify or --history the opening works without a window, on the same dbconfig.txt.":
        "Supplier opening balances. Without options the window opens; with --preview, --post, --verify, --history or --import the opening works without a window, on the same dbconfig.txt.",
    "報表存檔失敗..! %1\n": "The report could not be saved: %1\n",
    "期初開帳已執行（期初進貨單 %1 張、明細 %2 筆、預付單 %3 筆），未寫入任何資料。重新開帳請加上 --replace。\n":
        "The opening has been run before (%1 opening bills, %2 lines, %3 payment records); nothing was written. Add --replace to run it again.\n",
    "--encoding：不認得「%1」（auto、utf-8、utf-16、big5）\n": "--encoding: \"%1\" is not known (auto, utf-8, utf-16, big5)\n",
    "已匯入：更新 %1 家、新增帳款列 %2 家。匯入前的餘額已存於 %3\n":
        "Imported: %1 suppliers updated, %2 account rows added. The balances before the import are saved in %3\n",
    "開始\t結束\t基準日\t工作站\t登入\t使用者\t結果\t寫入\t取代\t略過\t失敗\t進貨單\t進貨單合計\t預付單\t預付單合計\t說明\n":
        "Started\tEnded\tBase date\tWorkstation\tLogin\tUser\tOutcome\tWritten\tReplaced\tSkipped\tFailed\tBills\tBills total\tPayment records\tPayment records total\tNote\n",
    "尚無開帳紀錄。\n": "No opening run has been recorded yet.\n",
    "dbconfig.txt：%1\n": "dbconfig.txt: %1\n",
    "操作人員已中止開帳：%1 家廠商中已完成 %2 家，已寫入的保留，其餘未寫入。":
        "The opening was stopped by the operator: %2 of %1 suppliers done; what was written stays, the rest was not written.",
    "正在中止開帳：目前的廠商完成後停止，視窗隨即關閉…":
        "Stopping the opening: it stops once the current supplier is done, then the window closes…",
    "找不到連線設定檔 dbconfig.txt，無法連線。請將它放在 %1（個人使用）或 %2（本機所有使用者）。":
        "No dbconfig.txt was found, so nothing can be connected. Put one in %1 (for yourself) or %2 (for every user of this computer).",
    # The window and its dialogs
    "開帳核對": "Opening check",
    "檔案存檔失敗..!\n%1": "The file could not be saved.\n%1",
    "廠商代號": "Code",
    "廠商名稱": "Name",
    "期初未付": "Unpaid",
    "期初預付": "Prepaid",
    "廠商期初帳款開帳作業": "Supplier opening balances",
    "期初基準日期": "Base date",
    "確定開帳": "Post",
    "離開": "Exit",
    "廠商清單無法載入，無法開帳。": "The supplier list could not be loaded; no opening can be posted.",
    "清單尚未開啟": "the list has not been opened",
    "\u3000上次開帳 ": "  Last opening ",
    "上次開帳：": "Last opening: ",
    "匯入期初餘額": "Import opening balances",
    "試算表 (*.xlsx *.csv *.txt);;所有檔案 (*)": "Spreadsheets (*.xlsx *.csv *.txt);;All files (*)",
    "自動判斷": "Detect",
    "文字編碼": "Text encoding",
    "廠商代號欄": "Supplier code column",
    "期初未付欄": "Opening unpaid column",
    "期初預付欄": "Opening prepaid column",
    "套用(&A)": "&Apply",
    "取消": "Cancel",
    "（無）": "(none)",
    "第 %1 欄%2": "Column %1%2",
    "：": ": ",
    "期初餘額已匯入：更新 %1 家、新增帳款列 %2 家。\n匯入前的餘額已存於 %3":
        "The opening balances are imported: %1 suppliers updated, %2 account rows added.\nThe balances before the import are saved in %3",
    "期初帳款開立完成..!": "The opening accounts have been posted.",
    "無法開帳：": "No opening can be posted: ",
    "其中 %1 張進貨單存檔失敗，未開立。": "%1 bills could not be saved and were not posted.",
    "開帳後核對不符 %1 項，請按「核對」查看。": "The check after the opening found %1 differences; press \"Check\" to see them.",
    "\u3000本次未記錄": "  (not recorded)",
    "儲存開帳明細": "Save the opening account",
    "期初開帳明細.csv": "opening-account.csv",
    "開帳預覽": "Opening preview",
    "複製(&C)": "&Copy",
    "另存 CSV(&S)…": "&Save as CSV…",
    "關閉": "Close",
    "另存開帳預覽": "Save the opening preview",
    "期初開帳預覽.csv": "opening-preview.csv",
    "預覽": "Preview",
    "核對": "Check",
    "列印": "Print",
    "匯入餘額": "Import",
    "儲存明細": "Save account",
    "開帳中…": "Posting…",
    "進貨單 %1\u3000預付單 %2\u3000剩餘 %3": "Bills %1  Payment records %2  Left %3",
    "期初開帳已執行確定重新開帳 ?": "The opening has already been run. Run it again?",
    # The check
    "明細沒有表頭": "line without its header",
    "單號重複": "number stored twice",
    "缺少進貨單": "bill missing",
    "單號不符": "number differs",
    "未稅不符": "net differs",
    "稅額不符": "tax differs",
    "合計不符": "total differs",
    "缺少明細": "line missing",
    "明細多於一筆": "more than one line",
    "明細金額不符": "line amount differs",
    "重複進貨單": "bill stored twice",
    "缺少預付單": "payment record missing",
    "廠商不符": "supplier differs",
    "金額不符": "amount differs",
    "非本基準日的期初單據": "opening document of another base date",
    "重複預付單": "payment record stored twice",
    "不應開立：%1": "not to be posted: %1",
    "清單中沒有此廠商": "supplier not in the list",
    "進貨單 %1 張 合計 %2、預付單 %3 筆 %4": "%1 bills totalling %2, %3 payment records %4",
    "基準日 %1 核對相符：%2，與資料庫所存一致": "Base date %1 checks out: %2, as the database holds them",
    "資料庫中沒有期初單據": "the database holds no opening documents",
    "資料庫 ": "the database ",
    "基準日 %1 核對不符 %2 項：應有 %3；%4": "Base date %1: %2 differences: expected %3; %4",
    "單據": "Document",
    "單號": "Number",
    "應為": "Expected",
    "資料庫": "Stored",
    "差異": "Difference",
    # Documents and their outcomes
    "%1 %2（第 %3 列）": "%1 %2 (row %3)",
    "進貨單": "Bill",
    "預付單": "Payment record",
    "將開立": "to post",
    "已開立": "posted",
    "失敗": "failed",
    "未執行": "not reached",
    "無餘額": "no balance",
    "餘額為零": "zero balance",
    "負數餘額": "negative balance",
    "非數值": "not a number",
    "文字過長": "text too long",
    "金額超出範圍": "amount out of range",
    "重複廠商代號": "repeated supplier code",
    "另一交易進行中，進貨單未存檔": "another transaction is under way; the bill was not saved",
    # The plan's faults
    "付款廠商": "paying company",
    "稅別": "tax flag",
    "開帳日期": "opening date",
    "期初帳款商品 %1 的 %2": "%2 of the placeholder product %1",
    "系統參數 %1": "the system parameter %1",
    "工作站位址": "the workstation's address",
    "單別": "bill type",
    "單別代號": "bill type code",
    "覆核": "Reviewed by",
    "輸入時間": "entry time",
    "異動時間": "change time",
    "採購人員": "purchaser",
    "人員姓名": "staff name",
    "備註": "remark",
    "建檔時間": "creation time",
    "%1「%2」%3 字，超過 %4 的 %5 字": "%1 \"%2\" has %3 characters, more than the %5 of %4",
    "資料表 %1 不存在，無法開帳。": "The table %1 does not exist; no opening can be posted.",
    "資料表 %1 缺少欄位 %2，無法開帳。": "The table %1 lacks the columns %2; no opening can be posted.",
    "、": ", ",
    "未稅 %1 ＋ 稅額 %2 超出可儲存的金額": "net %1 + tax %2 is beyond any amount that can be stored",
    "系統參數 in_tax（%1）須介於 0 與 1 之間，無法開帳。": "The system parameter in_tax (%1) must lie between 0 and 1; no opening can be posted.",
    "，無法開帳。": "; no opening can be posted.",
    "與第 %1 列為同一廠商代號，只在該列開立": "the same supplier code as row %1, posted there only",
    # The printed report
    "統一編號：%1": "Business ID: %1",
    "地址：%1": "Address: %1",
    "資料庫：%1": "Database: %1",
    "期初基準日期：%1": "Opening base date: %1",
    "開帳：%1 至 %2\u3000工作站 %3\u3000登入 %4（%5）\u3000%6": "Opening: %1 to %2  workstation %3  login %4 (%5)  %6",
    "開帳：沒有紀錄": "Opening: not recorded",
    "廠商期初帳款開帳報表": "Supplier opening balances report",
    "餘額": "Balance",
    "未稅": "Net",
    "稅額": "Tax",
    "合計": "Total",
    "%1 %2：%3": "%1 %2: %3",
    "進貨單 %1 張\u3000期初未付 %2\u3000未稅 %3\u3000稅額 %4\u3000合計 %5": "%1 bills  opening unpaid %2  net %3  tax %4  total %5",
    "預付單 %1 筆\u3000合計 %2": "%1 payment records  total %2",
    "製表": "Prepared by",
    "略過的廠商": "Suppliers skipped",
    "存檔失敗": "Not saved",
    "（續）": " (continued)",
    "第 %1 頁，共 %2 頁": "Page %1 of %2",
    "本頁小計": "Page subtotal",
    "%1 筆": "%1 rows",
    "：＿＿＿＿＿＿＿＿＿＿": ": ____________________",
    # The claim and the record of runs
    "另一工作站（%1）自 %2 起正在執行期初開帳，本次未寫入任何資料。":
        "Another workstation (%1) has been running the opening since %2; nothing was written.",
    "期初開帳需要資料表 %1（同時只讓一個工作站開帳），此登入無權建立它：請系統管理員先執行一次期初開帳。\n%2":
        "The opening needs the table %1 (so that one workstation at a time runs it), and this login may not make it: an administrator must run the opening once first.\n%2",
    "本次開帳未記錄於 %1：%2": "This opening run was not recorded in %1: %2",
    "完成": "completed",
    "保留前次開帳": "declined, the earlier run kept",
    "中止": "stopped",
    "另一工作站執行中": "another workstation was running",
    "無法開帳": "could not start",
    "%1 至 %2\u3000基準日 %3\u3000%4\u3000%5（%6）\u3000%7\u3000寫入 %8、取代 %9、略過 %10、失敗 %11\u3000進貨單 %12 張 %13\u3000預付單 %14 筆 %15":
        "%1 to %2  base date %3  %4  %5 (%6)  %7  written %8, replaced %9, skipped %10, failed %11  %12 bills %13  %14 payment records %15",
    # The panel, the preview and the account
    "進貨單 %1 張\u3000未稅 %2\u3000稅額 %3\u3000合計 %4": "%1 bills  net %2  tax %3  total %4",
    "進貨單 %1 張 未稅 %2 稅額 %3 合計 %4": "%1 bills net %2 tax %3 total %4",
    "預付單 %1 筆 %2": "%1 payment records %2",
    "（%1）": " (%1)",
    "  %1 %2：%3": "  %1 %2: %3",
    "進貨單 %1 張": "%1 bills",
    "預付單 %1 筆": "%1 payment records",
    "資料存檔失敗..!\n廠商代號：%1\n%2": "Saving the data failed.\nSupplier code: %1\n%2",
    "未付 %1 → %2\n預付 %3 → %4": "Unpaid %1 → %2\nPrepaid %3 → %4",
    "\u3000有誤 %1 家": "  %1 faulty",
    "調節：期初未付 %1 ＋ 外加稅額 %2（%3 張）%4 尾數 %5（取至小數 %6 位）＝ 進貨單合計 %7；其中未稅 %8、稅額 %9（外加 %2，含稅餘額內含 %10，%11 張）":
        "Reconciliation: opening unpaid %1 + tax added on top %2 (%3 bills) %4 rounding %5 (to %6 decimals) = bills' total %7; of which net %8, tax %9 (on top %2, inside tax-included balances %10, %11 bills)",
    "＋": "+",
    "略過 %1 %2：%3": "Skipped %1 %2: %3",
    "%1 於 %2 開帳，": "run %1 on %2, ",
    "將取代前次開帳：%1進貨單 %2 張 合計 %3、明細 %4 筆、預付單 %5 筆 合計 %6":
        "Replaces the earlier opening: %1%2 bills totalling %3, %4 lines, %5 payment records totalling %6",
    "無法開帳，不會寫入任何資料。": "No opening can be posted; nothing will be written.",
    "將開立 進貨單 %1 張，合計 %2；預付單 %3 筆，合計 %4。尚未寫入資料庫。":
        "Would post %1 bills totalling %2 and %3 payment records totalling %4. Nothing is written yet.",
    "（重新開帳時先全部刪除）": " (deleted first when the opening is run again)",
    "序號": "Row",
    "結果": "Outcome",
    "說明": "Note",
    "調節": "Reconciliation",
    "取代前次開帳：進貨單 %1 張、明細 %2 筆、預付單 %3 筆": "Replaced the earlier opening: %1 bills, %2 lines, %3 payment records",
    "已開立 ": "Posted ",
    "未開立：": "Not posted: ",
    "失敗：%1 筆": "Failed: %1",
    "開帳中止：%1": "The opening stopped: %1",
    "未執行：%1 筆": "Not reached: %1",
    "開帳中止\u3000": "Stopped  ",
    "失敗 %1\u3000": "Failed %1  ",
    "「%1」": "\"%1\"",
    "廠商清單無法載入，無法開帳：%1": "The supplier list could not be loaded; no opening can be posted: %1",
    "\n下列廠商代號在 SUPPLIER_ACCOUNTS 有一筆以上的期初帳款（僅尾端空白不同者，資料庫視為同一代號）：%1\n每個廠商只能保留一筆。":
        "\nThese supplier codes have more than one opening account row in SUPPLIER_ACCOUNTS (codes that differ only in trailing blanks are one code to the database): %1\nEach supplier may keep one row only.",
    # The balance import
    "變更": "changed",
    "不變": "unchanged",
    "新增帳款列": "new account row",
    "%1.匯入前餘額-%2": "%1.before-import-%2",
    "檔案中沒有任何資料列": "The file holds no rows",
    "檔案中沒有「%1」欄": "The file has no column \"%1\"",
    "檔案中沒有廠商代號欄（廠商代號、代號或 CORP_ID）；第一列是「%1」，請指定哪些欄是廠商代號、期初未付與期初預付":
        "The file has no supplier code column (廠商代號, 代號 or CORP_ID); its first row is \"%1\": say which columns hold the supplier code, the opening unpaid and the opening prepaid balance",
    "」、「": "\", \"",
    "檔案中沒有廠商代號欄（廠商代號、代號或 CORP_ID）": "The file has no supplier code column (廠商代號, 代號 or CORP_ID)",
    "檔案中沒有期初未付或期初預付欄": "The file has no opening unpaid or opening prepaid column",
    "第 %1 列：%2": "Row %1: %2",
    "%1「%2」不是數字": "%1 \"%2\" is not a number",
    "沒有廠商代號": "no supplier code",
    "「%1」不是廠商代號": "\"%1\" is not a supplier code",
    "廠商代號「%1」與第 %2 列重複": "the supplier code \"%1\" stands in row %2 as well",
    "廠商「%1」在 SUPPLIER_ACCOUNTS 有 %2 筆帳款列": "the supplier \"%1\" has %2 account rows in SUPPLIER_ACCOUNTS",
    "檔案中沒有任何廠商的期初餘額": "The file holds no supplier's opening balance",
    "檔案有 %1 列錯誤，未寫入任何餘額。": "%1 rows of the file have faults; no balance was written.",
    "無法寫入備份檔 %1，未寫入任何餘額。": "The backup file %1 could not be written; no balance was written.",
    "無法匯入：%1": "Cannot import: %1",
    "匯入失敗，所有餘額維持原狀：%1": "The import failed; every balance is as it was: %1",
    "列": "Row",
    "期初未付（目前）": "Opening unpaid (stored)",
    "期初未付（檔案）": "Opening unpaid (file)",
    "期初預付（目前）": "Opening prepaid (stored)",
    "期初預付（檔案）": "Opening prepaid (file)",
    "%1（%2）：%3 列，變更 %4、新增帳款列 %5、不變 %6、錯誤 %7。檔案期初未付 %8、期初預付 %9；匯入後全部廠商期初未付 %10、期初預付 %11（目前 %12、%13）":
        "%1 (%2): %3 rows, %4 changed, %5 new account rows, %6 unchanged, %7 faults. The file's opening unpaid %8, opening prepaid %9; every supplier's after the import: unpaid %10, prepaid %11 (now %12, %13)",
    "無法開啟 %1：%2": "Cannot open %1: %2",
    "%1 過大或不是一般檔案（最多 %2 MB）": "%1 is too large or no plain file (at most %2 MB)",
    "%1 過大（最多 %2 MB）": "%1 is too large (at most %2 MB)",
    "%1 是空的檔案": "%1 is an empty file",
    "無法以 %1 讀成文字：不是試算表，或編碼不同": "does not read as %1 text: it is no spreadsheet, or its encoding differs",
    "%1 不是可讀的 Excel 活頁簿（.xlsx）": "%1 is no readable Excel workbook (.xlsx)",
    "%1 的第一個工作表超過 %2 格，不是期初餘額表": "The first sheet of %1 has more than %2 cells: it is no list of opening balances",
    "%1 的工作表內容有誤：%2": "The sheet of %1 is damaged: %2",
    # The data module
    "等候其他工作站釋放 %1 %2 的單號逾時，請稍後再試。\n%3":
        "Waiting for another workstation to release the numbers of %1 %2 took too long; try again later.\n%3",
    "等候其他工作站釋放 %1 %2 的單號… %3 秒": "Waiting for another workstation to release the numbers of %1 %2… %3 s",
    "輸入異常..!": "Invalid input.",
    # dbconfig.txt checked
    "應為 1、2 或 3": "must be 1, 2 or 3",
    "應為 ReadCommitted、RepeatableRead 或 Snapshot": "must be ReadCommitted, RepeatableRead or Snapshot",
    "應為 True 或 False": "must be True or False",
    "應為 0 至 %1 的秒數（0：預設）": "must be a number of seconds from 0 to %1 (0: the default)",
    "應為 -1 或正整數": "must be -1 or a positive whole number",
    "不是可用的連線字元集": "is no character set a connection can use",
    "過長（最多 %1 位元組）": "is too long (at most %1 bytes)",
    "%1 第 %2 行：%3%4 %5": "%1 line %2: %3%4 %5",
    "「%1」不是一般檔案，無法作為連線設定。": "\"%1\" is not a regular file and cannot be the connection's configuration.",
    "「%1」超過 %2 KiB，不是連線設定檔。": "\"%1\" is larger than %2 KiB: it is no connection configuration.",
    # Where a report may be written
    "「%1」是符號連結，報表不經由連結寫入。": "\"%1\" is a symbolic link; a report is not written through a link.",
    "「%1」不是一般檔案，報表不會寫在它上面。": "\"%1\" is not a regular file; a report is never written over it.",
    "「%1」已存在，未覆寫；要取代它請加上 --force。": "\"%1\" exists and was not overwritten; add --force to replace it.",
    # Secrets
    "警告：%1 含有資料庫密碼，其他使用者也能讀取；請改為只有擁有者可讀（chmod 600）。":
        "Warning: %1 holds the database password and other users can read it; make it readable by its owner only (chmod 600).",
    "注意：dbconfig.txt 的密碼他人可讀　": "Note: others can read the password in dbconfig.txt  ",
    # The query loader
    "CDS_Query 只載入查詢的資料，這段指令會變更資料，未執行：\n%1\n%2":
        "CDS_Query only loads the rows of a query; this statement would change data and was not run:\n%1\n%2",
    # A server that stops answering
    "伺服器 %1 秒未回應，已中斷與資料庫的連線。": "The server did not answer for %1 seconds; the connection to the database was ended.",
    "與資料庫的連線中斷。": "The connection to the database broke off.",
    "本次開帳未記錄：與資料庫的連線已中斷。": "This opening run was not recorded: the connection to the database broke off.",
    "已寫入 進貨單 %1 張、預付單 %2 筆；中斷時正在寫入的那一張，資料庫已整張撤回或已整張寫入，不會只寫一半。連線恢復後請重新開帳並選擇取代（命令列加上 --replace），以取代已寫入的單據。":
        "Written: %1 bills, %2 payment records; the document being written when it broke off was rolled back whole or stored whole, never in part. Once the connection is back, run the opening again and replace (on the command line add --replace) to replace the documents written.",
    # What a screen reader hears
    "廠商清單": "Supplier list",
    "每家廠商的期初未付與期初預付餘額": "Each supplier's opening unpaid and prepaid balance",
    "開帳進度": "Opening progress",
    "開帳摘要": "Opening summary",
}


def main(path="suppbeforestart_en.ts"):
    tree = ET.parse(path)
    missing = []
    for message in tree.getroot().iter("message"):
        source = message.find("source").text
        translation = message.find("translation")
        if source not in ENGLISH:
            missing.append(source)
            continue
        translation.text = ENGLISH[source]
        translation.attrib.pop("type", None)
    if missing:
        sys.exit("untranslated:\n" + "\n".join(repr(m) for m in missing))
    tree.write(path, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    main(*sys.argv[1:])
