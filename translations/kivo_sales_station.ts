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
    <name>kivo::AppController</name>
    <message>
        <source>Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The station&apos;s settings are kept in:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Continue</source>
        <translation type="unfinished"></translation>
    </message>
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
</context>
<context>
    <name>kivo::EnterKeyPadController</name>
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
    <message>
        <source>Do You Have Another ID?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
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
    <name>kivo::OrderReleaseBridge</name>
    <message>
        <source>The order files were not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 file was not written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The order of this visit is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The package catalogue cannot be read.</source>
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
        <source>Message</source>
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
        <source>%1 quantity</source>
        <extracomment>The accessible name of a package row&apos;s quantity; %1 is the package&apos;s name.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Buy %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear %1</source>
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
        <source>No order output is set up.</source>
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
</context>
<context>
    <name>kivo::SalesWindowController</name>
    <message>
        <source>Searching For Your Photos...</source>
        <translation type="unfinished"></translation>
    </message>
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
        <source>Please Select Photo or Folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
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
</context>
<context>
    <name>kivo::ZoomedPhotoView</name>
    <message>
        <source>Zoom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zoomed photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
