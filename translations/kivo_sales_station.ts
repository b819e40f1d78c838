<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>CropOptions</name>
    <message>
        <source>The crop sizes in %1 cannot be used: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it lists no sizes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entry %1 has no usable &quot;title&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>entry %1 needs an &quot;aspectRatio&quot; number of at least 1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the size &quot;%1&quot; is listed twice.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CropWriter</name>
    <message>
        <source>the photo is too large to crop (%1 x %2 pixels)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the photo&apos;s file is cut short</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot decode the photo (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot encode JPEG (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the photo&apos;s path names no folder to write into</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the names &quot;%1&quot; and &quot;%2&quot; make no file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the crop %1 lies outside the photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not enough free memory to crop the photo now (%1 MB needed)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CustomerLock</name>
    <message>
        <source>a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a symbolic link to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a dangling symbolic link to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a named pipe (FIFO)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a socket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a device file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is %2, not a customer lock. Remove it so that the ID %3 can be served.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DayReport</name>
    <message>
        <source>PLU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>quantity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unit price</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a pending invoice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record %1 of %2 is not PLU, name, photo, quantity, unit price and amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>free sheets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>discount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record %1 (%2) is in the order file but not in the invoice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record %1 (%2) of the invoice is not in the order file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>record %1 (%2): %3 %4 in the order file, %5 in the invoice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the folder setting %1 is not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read the folder %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pending invoice %1 without an order file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pending invoice without an order file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not an order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no pending invoice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the print job&apos;s totals are for a subtotal of %1, the order file&apos;s is %2: its tax is not used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pending invoice %1 without an order file at any station</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Site report for %1: %2 stations</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Station %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The site: every station together</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End-of-day report for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orders: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Items per package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(nothing sold)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sales per hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tax</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tax not known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no print job with totals for: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cross-check of order files and invoices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every order file matches its invoice.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Keypad</name>
    <message>
        <source>What???</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID Located on the Photo Card Given to You At the Camera Station...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID=[%1] Must Be %2 Digits!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID=[%1] is Already %2 Digits...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too Many Wrong Codes - Try Again in %1 s...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong Code...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Log</name>
    <message>
        <source>The log file cannot be written (%1): log lines are being lost.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OrderPricing</name>
    <message>
        <source>Get Another Free Print if You Purchase %i more Item(s)...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Good News - Please Go Back and ADD Your Free Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your Sales Tax:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Offered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PLU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Price</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print host name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print host package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Icon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First-item PLU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pending invoice folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipt copies folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search the day&apos;s subfolder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Daily folder name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program started with the station 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program started with the station 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program started with the station 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo search</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Several photo IDs per visit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask for the release code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask the customer to call a sales person first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the marking window first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sell only the marked photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample print of the first photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample print from the zoom window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide the keypad&apos;s mode button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the menu bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add sales tax</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sales tax rate (0.0875 is 8.75 %)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tax after discounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sales tax text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints for the percentage discount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Percentage discount (0.25 is 25 %)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First-two discount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Items to buy for one free (0: off)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free sheet amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free sheets PLU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints for the reduced USB price</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discount PLU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discount description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upsell threshold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upsell amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upsell PLU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel out the upsell amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zero the catalogue&apos;s prices on the summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Append the portrait suffix to PLUs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Portrait suffix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Append the landscape suffix to PLUs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Landscape suffix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print a receipt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask for the customer&apos;s name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print on the primary printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Primary receipt printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print on the secondary printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Secondary receipt printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auxiliary printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipt copies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the print dialog for each receipt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Metrics port (0: off)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the movie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Movie or picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Movie fills the screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Movie keeps its proportions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show a background picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the sponsor logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sponsor logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packages and Prices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipts and Printers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attract Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Codes and Texts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Release code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open preferences code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Administrator keys code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Receipt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printing service (CUPS) is not running, so no printer can be listed or used.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seconds without a touch before &quot;Still there?&quot; (0: off)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use the secondary printer when the primary fails</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No folder was chosen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder [%1] does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[%1] is not a folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder [%1] cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder [%1] cannot be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrinterWatch</name>
    <message numerus="yes">
        <source>Receipt printer %1 has %n stuck job(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Receipt printer %1 is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipt printer %1 is paused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipt printer %1 is not accepting jobs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>out of paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paper low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paper jam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>out of ink or toner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ink or toner low</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cover open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>offline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at %2 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipt printer %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>idle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>paused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReceiptRenderer</name>
    <message>
        <source>PHOTO ORDER RECEIPT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TOTAL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prints</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Promos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your photos are being printed. Please keep this receipt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free Sheets</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReceiptRules</name>
    <message>
        <source>Thank You, %1 !</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SelfTest</name>
    <message>
        <source>%1 entries, %2 of %3 MB in %4; %5 of %6 photos of today prepared</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo cache</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invoice folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not hold a dictionary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Codes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not set</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot make a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: a second exclusive creation of a folder succeeded: two stations could open the same customer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a second creation of a folder failed for another reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read a folder&apos;s time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot create a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: a second exclusive creation of a file succeeded: two stations could open the same customer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a second creation of a file failed for another reason</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot rename a file onto another</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: a rename did not replace its target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: a folder&apos;s modification time does not move when a file is added: new photos would not be found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot remove %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is made at start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot make %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no log file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free disk space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot tell for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 reports no size, its free space is not known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has %2 free, needs %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: no CUPS scheduler answers at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not known to CUPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not accept jobs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is paused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Catalogue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the site&apos;s catalogue is refused (%1); the shipped one is used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no packages to offer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 package from %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 packages from %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Session bus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no session bus answers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no session bus to reach %1 on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not on the session bus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipt printers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>receipts are off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is on but names no printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none turned on</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>a list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a dictionary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not between %1 and %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SiteCodes</name>
    <message>
        <source>A code has %1 to %2 characters.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The release code is digits only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A command code is * followed by digits and ends with #.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The current code is not right.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That code is already another code.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>release code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>open-preferences code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>quit code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>administrator-keys code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Factory codes still in use, known to every station of this kind: %1. Choose the site&apos;s own in the preferences.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StartupSteps</name>
    <message>
        <source>%1 is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not writable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder could not be created (%1).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThumbnailCache</name>
    <message>
        <source>The photo cache %1 cannot be written (%2); photos show more slowly until it can</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::AttractScreen</name>
    <message>
        <source>Sponsor logo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::CatalogueEditor</name>
    <message>
        <source>The catalogue [%1] cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The package in row %1 (%2) has no PLU.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PLU %1 is listed twice.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The price of %1 is not a number: [%2].</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The type of %1 is [%2]; it must be Print, Flash or promo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first-item PLU [%1] of %2 names no package.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No package is offered: the panel would be empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The catalogue cannot be checked: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The previous catalogue cannot be kept: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The catalogue cannot be saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::CropEditor</name>
    <message>
        <source>Portrait</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Annotate</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your crop position is out of bounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reposition the picture to fill the crop region</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proceed anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop Ticket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The crop ticket could not be saved.
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::DayReportPage</name>
    <message>
        <source>PLU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Items per package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discounts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tax</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sales per hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cross-check of order files and invoices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cross-check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report cannot be made: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orders: %1. Total: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Orders whose tax is not known (no print job with totals): %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tax not known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Every order file matches its invoice.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::EditableTextSheet</name>
    <message>
        <source>Editable Text Items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Texts every order carries to the print host:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected item</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::ImageBrowserView</name>
    <message>
        <source>Photos</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::InstructionSheet</name>
    <message>
        <source>How to Choose Your Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::KeypadSheet</name>
    <message>
        <source>Photo ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Admin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit App</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Pref</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide
Keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::MarkingWindow</name>
    <message>
        <source>Choose Your Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Touch the photos you would like to buy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marked photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unmark All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TOO MANY IMAGES SELECTED!!!!...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected [%1] images EXCEEDS kMaxImagesItems of [%2].</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::MaskView</name>
    <message>
        <source>8 x 10 Crop Region</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>5 x 7 Crop Region</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::OrderReleaseBridge</name>
    <message>
        <source>Your order could not be saved. Please ask a member of staff for help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The order files of %1 were not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The order of %1 was not saved: the %2 file was not written: %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::OrderSummaryModel</name>
    <message>
        <source>&lt;unknown&gt;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::OrderSummarySheet</name>
    <message>
        <source>Your Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discount</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tax</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Item count</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accept Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PLEASE CALL FOR SALES PERSON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To Continue This PURCHASE,
Please Call for a Sales Person.
Thank You.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attendant...</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Free Sheets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Each</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amount</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::OutOfServiceScreen</name>
    <message>
        <source>Out of Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This station cannot take orders at the moment.
Please ask a member of staff, or use another station.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reasons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Checking again at %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::PackagePanelModel</name>
    <message>
        <source>Special Pkg#%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regular Pkg#%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::PackagePanelView</name>
    <message>
        <source>Buy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>▼ More packages below ▼</source>
        <extracomment>Over the foot of the package rows while more of them lie below.</extracomment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::PhotoEditingWindow</name>
    <message>
        <source>Edit Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Select A Photo...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photos (*.jpg *.jpeg *.png *.tif *.tiff)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::PhotoGridView</name>
    <message>
        <source>Photos</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::PhotoPreview</name>
    <message>
        <source>Selected photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This photo cannot be shown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::PreferencesModel</name>
    <message>
        <source>Choose the printer first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no printer [%1]: choose one that exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[%1] is not a setting of the sheet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: [%2] is not a whole number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 is not between %3 and %4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: [%2] is not a number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is chosen with its button.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file [%1] does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file [%1] cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[%1] is not one of: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings file could not be read, so the factory settings apply: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds [%2], which is not a value of its kind; it is read as [%3]. Set it again to mend it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is on, but there is no printer [%2] now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The daily folder name needs a date pattern.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings cannot be saved: %1. The change is kept and saved as soon as there is room.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds %2, which is not between %3 and %4, so it is not used. Set it again to mend it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::PreferencesSheet</name>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Example</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Editable Text Items...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index tool</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packages offered on the panel, in panel order:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Packages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Number of first items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Package</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Revert Packages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Packages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved. The packages are offered from the next start of the station.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not saved: %1 The packages in force stay.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Code to change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New code again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new code and its repetition differ.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Select Your Images Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Select The PendingInvoiceFolder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Select The Local Server Path...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Select The Receipts Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Select A Movie...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Select The Sponsor Logo...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Crop Editor...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected cell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing to report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No path was given.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipt printers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receipt printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reasons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Levels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Health</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not accepting jobs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>missing</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::ReceiptNamePromptDialog</name>
    <message>
        <source>Your Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter your name for the receipt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Done</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::SalesSession</name>
    <message>
        <source>Initializing System...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UNABLE to Find REQUIRED Volumes...
You may need to setup your prefs...?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Preferences...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Enter/Scan Your Photo ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Enter Another ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If NO More ID, Just Hit Enter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry - Your ID [%1] Is In Use By Another System...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Images Found for ID: [%1]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are You Sure You Want to Cancel This Order?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Resume Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter Release Code...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Contact Sales For Help...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UNABLE to Save This Order...
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back to Order</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please call a staff member: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the Administrator Code...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the Quit Code...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Staff Only - Enter With No Code to Go Back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Searching For Your Photos...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The order of %1 was not saved: the photos cannot be read, their folder %2 does not answer (is the share there?)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This photo can no longer be printed: %1. It has been taken off your order and nothing was charged for it; please look over your order again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::SalesWindow</name>
    <message>
        <source>Kivo Sales Station</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Processing Your Order...</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>ID %1: %n photo(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>The changed package catalogue is not used (%1); the station sells from the one it had.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::SellingCoordinator</name>
    <message>
        <source>????????</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::SellingScreen</name>
    <message>
        <source>Choose your packages for this photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start Over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Summary</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>More Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sponsor logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This photo cannot be ordered: it cannot be shown whole. Please choose another photo.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::SellingTotalsView</name>
    <message>
        <source>Photo subtotal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order subtotal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo sheets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order sheets</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::StationApp</name>
    <message>
        <source>About %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hide %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PROBLEM WITH SETUP!!!!...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to create needed folder at path:
[%1]
Error:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings cannot be saved (%1); the changes are kept and saved once there is room.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The metrics cannot be served on port %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings that cannot be used: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::StillTherePrompt</name>
    <message>
        <source>Still there?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>I&apos;m Still Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Touch the screen to keep your order.
It will be cleared in %n second(s).</source>
        <translation type="unfinished">
            <numerusform></numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kivo::ZoomWindow</name>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoomed photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This photo cannot be shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sample Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kivo::ZoomableImageView</name>
    <message>
        <source>Photo</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Usage: kivo-sales-station [--self-test | --help | --version]
  --self-test  check the settings, folders, catalogue, bus, print host,
               receipt printers, log and disk space; one line each;
               exit status 0 only when every check passed
  --help       show this text
  --version    show the version
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
