<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CropOptions</name>
    <message>
        <source>The crop sizes in %1 cannot be used: %2</source>
        <translation>Les formats de recadrage de %1 sont inutilisables : %2</translation>
    </message>
    <message>
        <source>the file is missing.</source>
        <translation>le fichier est absent.</translation>
    </message>
    <message>
        <source>it is not a list.</source>
        <translation>ce n&apos;est pas une liste.</translation>
    </message>
    <message>
        <source>it lists no sizes.</source>
        <translation>il ne contient aucun format.</translation>
    </message>
    <message>
        <source>entry %1 has no usable &quot;title&quot;.</source>
        <translation>l&apos;entrée %1 n&apos;a pas de &quot;title&quot; utilisable.</translation>
    </message>
    <message>
        <source>entry %1 needs an &quot;aspectRatio&quot; number of at least 1.</source>
        <translation>l&apos;entrée %1 demande un nombre &quot;aspectRatio&quot; d&apos;au moins 1.</translation>
    </message>
    <message>
        <source>the size &quot;%1&quot; is listed twice.</source>
        <translation>le format &quot;%1&quot; figure deux fois.</translation>
    </message>
</context>
<context>
    <name>CropWriter</name>
    <message>
        <source>the photo is too large to crop (%1 x %2 pixels)</source>
        <translation>la photo est trop grande pour être recadrée (%1 x %2 pixels)</translation>
    </message>
    <message>
        <source>the photo&apos;s file is cut short</source>
        <translation>le fichier de la photo est tronqué</translation>
    </message>
    <message>
        <source>cannot decode the photo (%1)</source>
        <translation>impossible de décoder la photo (%1)</translation>
    </message>
    <message>
        <source>cannot encode JPEG (%1)</source>
        <translation>impossible d&apos;encoder le JPEG (%1)</translation>
    </message>
    <message>
        <source>the photo&apos;s path names no folder to write into</source>
        <translation>le chemin de la photo ne désigne aucun dossier où écrire</translation>
    </message>
    <message>
        <source>the names &quot;%1&quot; and &quot;%2&quot; make no file name</source>
        <translation>les noms &quot;%1&quot; et &quot;%2&quot; ne donnent pas de nom de fichier</translation>
    </message>
    <message>
        <source>the crop %1 lies outside the photo</source>
        <translation>le recadrage %1 sort de la photo</translation>
    </message>
    <message>
        <source>not enough free memory to crop the photo now (%1 MB needed)</source>
        <translation>pas assez de mémoire libre pour recadrer la photo maintenant (%1 Mo nécessaires)</translation>
    </message>
</context>
<context>
    <name>CustomerLock</name>
    <message>
        <source>a folder</source>
        <translation>un dossier</translation>
    </message>
    <message>
        <source>a symbolic link to %1</source>
        <translation>un lien symbolique vers %1</translation>
    </message>
    <message>
        <source>a dangling symbolic link to %1</source>
        <translation>un lien symbolique cassé vers %1</translation>
    </message>
    <message>
        <source>a named pipe (FIFO)</source>
        <translation>un tube nommé (FIFO)</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a device file</source>
        <translation>un fichier de périphérique</translation>
    </message>
    <message>
        <source>%1 is %2, not a customer lock. Remove it so that the ID %3 can be served.</source>
        <translation>%1 est %2, pas un verrou client. Supprimez-le pour que l&apos;ID %3 puisse être servi.</translation>
    </message>
</context>
<context>
    <name>DayReport</name>
    <message>
        <source>PLU</source>
        <translation>PLU</translation>
    </message>
    <message>
        <source>quantity</source>
        <translation>quantité</translation>
    </message>
    <message>
        <source>unit price</source>
        <translation>prix unitaire</translation>
    </message>
    <message>
        <source>amount</source>
        <translation>montant</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>%1 is not a pending invoice</source>
        <translation>%1 n&apos;est pas une facture en attente</translation>
    </message>
    <message>
        <source>record %1 of %2 is not PLU, name, photo, quantity, unit price and amount</source>
        <translation>l&apos;enregistrement %1 de %2 n&apos;est pas PLU, nom, photo, quantité, prix unitaire et montant</translation>
    </message>
    <message>
        <source>free sheets</source>
        <translation>tirages offerts</translation>
    </message>
    <message>
        <source>discount</source>
        <translation>remise</translation>
    </message>
    <message>
        <source>record %1 (%2) is in the order file but not in the invoice</source>
        <translation>l&apos;enregistrement %1 (%2) est dans le fichier de commande mais pas dans la facture</translation>
    </message>
    <message>
        <source>record %1 (%2) of the invoice is not in the order file</source>
        <translation>l&apos;enregistrement %1 (%2) de la facture n&apos;est pas dans le fichier de commande</translation>
    </message>
    <message>
        <source>record %1 (%2): %3 %4 in the order file, %5 in the invoice</source>
        <translation>enregistrement %1 (%2) : %3 %4 dans le fichier de commande, %5 dans la facture</translation>
    </message>
    <message>
        <source>the folder setting %1 is not set</source>
        <translation>le réglage de dossier %1 n&apos;est pas défini</translation>
    </message>
    <message>
        <source>cannot read the folder %1 (%2)</source>
        <translation>impossible de lire le dossier %1 (%2)</translation>
    </message>
    <message>
        <source>pending invoice %1 without an order file</source>
        <translation>facture en attente %1 sans fichier de commande</translation>
    </message>
    <message>
        <source>pending invoice without an order file</source>
        <translation>facture en attente sans fichier de commande</translation>
    </message>
    <message>
        <source>%1 is not an order</source>
        <translation>%1 n&apos;est pas une commande</translation>
    </message>
    <message>
        <source>no pending invoice</source>
        <translation>aucune facture en attente</translation>
    </message>
    <message>
        <source>the print job&apos;s totals are for a subtotal of %1, the order file&apos;s is %2: its tax is not used</source>
        <translation>les totaux de l&apos;impression portent sur un sous-total de %1, celui du fichier de commande est %2 : sa taxe n&apos;est pas retenue</translation>
    </message>
    <message>
        <source>pending invoice %1 without an order file at any station</source>
        <translation>facture en attente %1 sans fichier de commande sur aucun poste</translation>
    </message>
    <message>
        <source>Site report for %1: %2 stations</source>
        <translation>Rapport du site pour le %1 : %2 postes</translation>
    </message>
    <message>
        <source>Station %1: %2</source>
        <translation>Poste %1 : %2</translation>
    </message>
    <message>
        <source>The site: every station together</source>
        <translation>Le site : tous les postes ensemble</translation>
    </message>
    <message>
        <source>End-of-day report for %1</source>
        <translation>Rapport de fin de journée du %1</translation>
    </message>
    <message>
        <source>Orders: %1</source>
        <translation>Commandes : %1</translation>
    </message>
    <message>
        <source>Items per package</source>
        <translation>Articles par forfait</translation>
    </message>
    <message>
        <source>Package</source>
        <translation>Forfait</translation>
    </message>
    <message>
        <source>Qty</source>
        <translation>Qté</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>(nothing sold)</source>
        <translation>(aucune vente)</translation>
    </message>
    <message>
        <source>Sales per hour</source>
        <translation>Ventes par heure</translation>
    </message>
    <message>
        <source>not known</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Orders</source>
        <translation>Commandes</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Sous-total</translation>
    </message>
    <message>
        <source>Discounts</source>
        <translation>Remises</translation>
    </message>
    <message>
        <source>Tax</source>
        <translation>Taxe</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Tax not known</source>
        <translation>Taxe inconnue</translation>
    </message>
    <message>
        <source>no print job with totals for: %1</source>
        <translation>aucune impression avec totaux pour : %1</translation>
    </message>
    <message>
        <source>Cross-check of order files and invoices</source>
        <translation>Contrôle croisé des fichiers de commande et des factures</translation>
    </message>
    <message>
        <source>Every order file matches its invoice.</source>
        <translation>Chaque fichier de commande correspond à sa facture.</translation>
    </message>
</context>
<context>
    <name>Keypad</name>
    <message>
        <source>What???</source>
        <translation>Pardon ???</translation>
    </message>
    <message>
        <source>ID Located on the Photo Card Given to You At the Camera Station...</source>
        <translation>Le numéro figure sur la carte photo remise au stand photo...</translation>
    </message>
    <message>
        <source>ID=[%1] Must Be %2 Digits!</source>
        <translation>Le numéro [%1] doit avoir %2 chiffres !</translation>
    </message>
    <message>
        <source>ID=[%1] is Already %2 Digits...</source>
        <translation>Le numéro [%1] a déjà %2 chiffres...</translation>
    </message>
    <message>
        <source>Too Many Wrong Codes - Try Again in %1 s...</source>
        <translation>Trop de codes erronés - réessayez dans %1 s...</translation>
    </message>
    <message>
        <source>Wrong Code...</source>
        <translation>Code erroné...</translation>
    </message>
</context>
<context>
    <name>Log</name>
    <message>
        <source>The log file cannot be written (%1): log lines are being lost.</source>
        <translation>Le fichier journal ne peut pas être écrit (%1) : des lignes du journal sont perdues.</translation>
    </message>
</context>
<context>
    <name>OrderPricing</name>
    <message>
        <source>Get Another Free Print if You Purchase %i more Item(s)...</source>
        <translation>Un tirage offert de plus si vous achetez encore %i article(s)...</translation>
    </message>
    <message>
        <source>Good News - Please Go Back and ADD Your Free Print...</source>
        <translation>Bonne nouvelle - revenez en arrière et AJOUTEZ votre tirage offert...</translation>
    </message>
    <message>
        <source>Your Sales Tax:</source>
        <translation>Votre taxe :</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Offered</source>
        <translation>Proposé</translation>
    </message>
    <message>
        <source>PLU</source>
        <translation>PLU</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Print host name</source>
        <translation>Nom pour l&apos;hôte d&apos;impression</translation>
    </message>
    <message>
        <source>Print host package</source>
        <translation>Forfait de l&apos;hôte d&apos;impression</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Icône</translation>
    </message>
    <message>
        <source>First-item PLU</source>
        <translation>PLU du premier article</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texte</translation>
    </message>
    <message>
        <source>Images folder</source>
        <translation>Dossier des images</translation>
    </message>
    <message>
        <source>Pending invoice folder</source>
        <translation>Dossier des factures en attente</translation>
    </message>
    <message>
        <source>Order folder</source>
        <translation>Dossier des commandes</translation>
    </message>
    <message>
        <source>Receipt copies folder</source>
        <translation>Dossier des copies de tickets</translation>
    </message>
    <message>
        <source>Search the day&apos;s subfolder</source>
        <translation>Chercher dans le sous-dossier du jour</translation>
    </message>
    <message>
        <source>Daily folder name</source>
        <translation>Nom du dossier du jour</translation>
    </message>
    <message>
        <source>Program started with the station 1</source>
        <translation>Programme lancé avec le poste 1</translation>
    </message>
    <message>
        <source>Program started with the station 2</source>
        <translation>Programme lancé avec le poste 2</translation>
    </message>
    <message>
        <source>Program started with the station 3</source>
        <translation>Programme lancé avec le poste 3</translation>
    </message>
    <message>
        <source>Photo search</source>
        <translation>Recherche des photos</translation>
    </message>
    <message>
        <source>Several photo IDs per visit</source>
        <translation>Plusieurs numéros de photo par visite</translation>
    </message>
    <message>
        <source>Ask for the release code</source>
        <translation>Demander le code de validation</translation>
    </message>
    <message>
        <source>Ask the customer to call a sales person first</source>
        <translation>Demander au client d&apos;appeler d&apos;abord un vendeur</translation>
    </message>
    <message>
        <source>Show the marking window first</source>
        <translation>Afficher d&apos;abord la fenêtre de sélection</translation>
    </message>
    <message>
        <source>Sell only the marked photos</source>
        <translation>Ne vendre que les photos sélectionnées</translation>
    </message>
    <message>
        <source>Sample print of the first photo</source>
        <translation>Tirage d&apos;essai de la première photo</translation>
    </message>
    <message>
        <source>Sample print from the zoom window</source>
        <translation>Tirage d&apos;essai depuis la fenêtre de zoom</translation>
    </message>
    <message>
        <source>Hide the keypad&apos;s mode button</source>
        <translation>Masquer le bouton de mode du clavier</translation>
    </message>
    <message>
        <source>Show the menu bar</source>
        <translation>Afficher la barre de menus</translation>
    </message>
    <message>
        <source>Add sales tax</source>
        <translation>Ajouter la taxe</translation>
    </message>
    <message>
        <source>Sales tax rate (0.0875 is 8.75 %)</source>
        <translation>Taux de taxe (0.0875 pour 8,75 %)</translation>
    </message>
    <message>
        <source>Tax after discounts</source>
        <translation>Taxe après remises</translation>
    </message>
    <message>
        <source>Sales tax text</source>
        <translation>Libellé de la taxe</translation>
    </message>
    <message>
        <source>Prints for the percentage discount</source>
        <translation>Tirages pour la remise en pourcentage</translation>
    </message>
    <message>
        <source>Percentage discount (0.25 is 25 %)</source>
        <translation>Remise en pourcentage (0.25 pour 25 %)</translation>
    </message>
    <message>
        <source>First-two discount</source>
        <translation>Remise sur les deux premiers</translation>
    </message>
    <message>
        <source>Items to buy for one free (0: off)</source>
        <translation>Articles à acheter pour un offert (0 : désactivé)</translation>
    </message>
    <message>
        <source>Free sheet amount</source>
        <translation>Montant d&apos;un tirage offert</translation>
    </message>
    <message>
        <source>Free sheets PLU</source>
        <translation>PLU des tirages offerts</translation>
    </message>
    <message>
        <source>Prints for the reduced USB price</source>
        <translation>Tirages pour le prix USB réduit</translation>
    </message>
    <message>
        <source>Discount PLU</source>
        <translation>PLU de remise</translation>
    </message>
    <message>
        <source>Discount description</source>
        <translation>Description de la remise</translation>
    </message>
    <message>
        <source>Upsell threshold</source>
        <translation>Seuil de vente additionnelle</translation>
    </message>
    <message>
        <source>Upsell amount</source>
        <translation>Montant de vente additionnelle</translation>
    </message>
    <message>
        <source>Upsell PLU</source>
        <translation>PLU de vente additionnelle</translation>
    </message>
    <message>
        <source>Cancel out the upsell amount</source>
        <translation>Annuler le montant de vente additionnelle</translation>
    </message>
    <message>
        <source>Zero the catalogue&apos;s prices on the summary</source>
        <translation>Mettre à zéro les prix du catalogue sur le récapitulatif</translation>
    </message>
    <message>
        <source>Append the portrait suffix to PLUs</source>
        <translation>Ajouter le suffixe portrait aux PLU</translation>
    </message>
    <message>
        <source>Portrait suffix</source>
        <translation>Suffixe portrait</translation>
    </message>
    <message>
        <source>Append the landscape suffix to PLUs</source>
        <translation>Ajouter le suffixe paysage aux PLU</translation>
    </message>
    <message>
        <source>Landscape suffix</source>
        <translation>Suffixe paysage</translation>
    </message>
    <message>
        <source>Print a receipt</source>
        <translation>Imprimer un ticket</translation>
    </message>
    <message>
        <source>Ask for the customer&apos;s name</source>
        <translation>Demander le nom du client</translation>
    </message>
    <message>
        <source>Print on the primary printer</source>
        <translation>Imprimer sur l&apos;imprimante principale</translation>
    </message>
    <message>
        <source>Primary receipt printer</source>
        <translation>Imprimante de tickets principale</translation>
    </message>
    <message>
        <source>Print on the secondary printer</source>
        <translation>Imprimer sur l&apos;imprimante secondaire</translation>
    </message>
    <message>
        <source>Secondary receipt printer</source>
        <translation>Imprimante de tickets secondaire</translation>
    </message>
    <message>
        <source>Auxiliary printer</source>
        <translation>Imprimante auxiliaire</translation>
    </message>
    <message>
        <source>Receipt copies</source>
        <translation>Copies de tickets</translation>
    </message>
    <message>
        <source>Show the print dialog for each receipt</source>
        <translation>Afficher la boîte d&apos;impression pour chaque ticket</translation>
    </message>
    <message>
        <source>Metrics port (0: off)</source>
        <translation>Port des métriques (0 : aucun)</translation>
    </message>
    <message>
        <source>Play the movie</source>
        <translation>Lire le film</translation>
    </message>
    <message>
        <source>Movie or picture</source>
        <translation>Film ou image</translation>
    </message>
    <message>
        <source>Movie fills the screen</source>
        <translation>Le film remplit l&apos;écran</translation>
    </message>
    <message>
        <source>Movie keeps its proportions</source>
        <translation>Le film garde ses proportions</translation>
    </message>
    <message>
        <source>Show a background picture</source>
        <translation>Afficher une image de fond</translation>
    </message>
    <message>
        <source>Show the sponsor logo</source>
        <translation>Afficher le logo du partenaire</translation>
    </message>
    <message>
        <source>Sponsor logo</source>
        <translation>Logo du partenaire</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Visit</source>
        <translation>Visite</translation>
    </message>
    <message>
        <source>Packages and Prices</source>
        <translation>Forfaits et prix</translation>
    </message>
    <message>
        <source>Receipts and Printers</source>
        <translation>Tickets et imprimantes</translation>
    </message>
    <message>
        <source>Attract Screen</source>
        <translation>Écran d&apos;accueil</translation>
    </message>
    <message>
        <source>Codes and Texts</source>
        <translation>Codes et textes</translation>
    </message>
    <message>
        <source>Release code</source>
        <translation>Code de validation</translation>
    </message>
    <message>
        <source>Open preferences code</source>
        <translation>Code d&apos;ouverture des préférences</translation>
    </message>
    <message>
        <source>Quit code</source>
        <translation>Code de fermeture</translation>
    </message>
    <message>
        <source>Administrator keys code</source>
        <translation>Code des touches administrateur</translation>
    </message>
    <message>
        <source>Print Receipt</source>
        <translation>Imprimer le ticket</translation>
    </message>
    <message>
        <source>The printing service (CUPS) is not running, so no printer can be listed or used.</source>
        <translation>Le service d&apos;impression (CUPS) ne fonctionne pas : aucune imprimante ne peut être listée ni utilisée.</translation>
    </message>
    <message>
        <source>Seconds without a touch before &quot;Still there?&quot; (0: off)</source>
        <translation>Secondes sans toucher avant « Toujours là ? » (0 : désactivé)</translation>
    </message>
    <message>
        <source>Use the secondary printer when the primary fails</source>
        <translation>Utiliser l&apos;imprimante secondaire si la principale échoue</translation>
    </message>
    <message>
        <source>not known</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>No folder was chosen.</source>
        <translation>Aucun dossier n&apos;a été choisi.</translation>
    </message>
    <message>
        <source>The folder [%1] does not exist.</source>
        <translation>Le dossier [%1] n&apos;existe pas.</translation>
    </message>
    <message>
        <source>[%1] is not a folder.</source>
        <translation>[%1] n&apos;est pas un dossier.</translation>
    </message>
    <message>
        <source>The folder [%1] cannot be read.</source>
        <translation>Le dossier [%1] ne peut pas être lu.</translation>
    </message>
    <message>
        <source>The folder [%1] cannot be written: %2</source>
        <translation>Le dossier [%1] ne peut pas être écrit : %2</translation>
    </message>
</context>
<context>
    <name>PrinterWatch</name>
    <message numerus="yes">
        <source>Receipt printer %1 has %n stuck job(s)</source>
        <translation>
            <numerusform>L&apos;imprimante de tickets %1 a %n tâche bloquée</numerusform>
            <numerusform>L&apos;imprimante de tickets %1 a %n tâches bloquées</numerusform>
        </translation>
    </message>
    <message>
        <source>Receipt printer %1 is missing</source>
        <translation>L&apos;imprimante de tickets %1 est absente</translation>
    </message>
    <message>
        <source>Receipt printer %1 is paused</source>
        <translation>L&apos;imprimante de tickets %1 est en pause</translation>
    </message>
    <message>
        <source>Receipt printer %1 is not accepting jobs</source>
        <translation>L&apos;imprimante de tickets %1 n&apos;accepte pas de tâches</translation>
    </message>
    <message>
        <source>out of paper</source>
        <translation>plus de papier</translation>
    </message>
    <message>
        <source>paper low</source>
        <translation>papier presque épuisé</translation>
    </message>
    <message>
        <source>paper jam</source>
        <translation>bourrage papier</translation>
    </message>
    <message>
        <source>out of ink or toner</source>
        <translation>plus d&apos;encre ou de toner</translation>
    </message>
    <message>
        <source>ink or toner low</source>
        <translation>encre ou toner presque épuisé</translation>
    </message>
    <message>
        <source>cover open</source>
        <translation>capot ouvert</translation>
    </message>
    <message>
        <source>offline</source>
        <translation>hors ligne</translation>
    </message>
    <message>
        <source>%1 at %2 %</source>
        <translation>%1 à %2 %</translation>
    </message>
    <message>
        <source>Receipt printer %1</source>
        <translation>Imprimante de reçus %1</translation>
    </message>
    <message>
        <source>idle</source>
        <translation>en attente</translation>
    </message>
    <message>
        <source>printing</source>
        <translation>impression en cours</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>en pause</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
<context>
    <name>ReceiptRenderer</name>
    <message>
        <source>PHOTO ORDER RECEIPT</source>
        <translation>TICKET DE COMMANDE PHOTO</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Sous-total</translation>
    </message>
    <message>
        <source>Discount</source>
        <translation>Remise</translation>
    </message>
    <message>
        <source>TOTAL</source>
        <translation>TOTAL</translation>
    </message>
    <message>
        <source>Prints</source>
        <translation>Tirages</translation>
    </message>
    <message>
        <source>Promos</source>
        <translation>Promos</translation>
    </message>
    <message>
        <source>Your photos are being printed. Please keep this receipt.</source>
        <translation>Vos photos sont en cours d&apos;impression. Merci de garder ce ticket.</translation>
    </message>
    <message>
        <source>Free Sheets</source>
        <translation>Tirages offerts</translation>
    </message>
</context>
<context>
    <name>ReceiptRules</name>
    <message>
        <source>Thank You, %1 !</source>
        <translation>Merci, %1 !</translation>
    </message>
</context>
<context>
    <name>SelfTest</name>
    <message>
        <source>%1 entries, %2 of %3 MB in %4; %5 of %6 photos of today prepared</source>
        <translation>%1 entrées, %2 sur %3 Mo dans %4 ; %5 sur %6 photos du jour préparées</translation>
    </message>
    <message>
        <source>Photo cache</source>
        <translation>Cache des photos</translation>
    </message>
    <message>
        <source>Invoice folder</source>
        <translation>Dossier des factures</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>%1 does not hold a dictionary</source>
        <translation>%1 ne contient pas de dictionnaire</translation>
    </message>
    <message>
        <source>Codes</source>
        <translation>Codes</translation>
    </message>
    <message>
        <source>Images folder</source>
        <translation>Dossier des images</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>non défini</translation>
    </message>
    <message>
        <source>%1 is not there</source>
        <translation>%1 n&apos;est pas là</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>%1: %2 (%3)</source>
        <translation>%1 : %2 (%3)</translation>
    </message>
    <message>
        <source>cannot make a folder</source>
        <translation>impossible de créer un dossier</translation>
    </message>
    <message>
        <source>%1: a second exclusive creation of a folder succeeded: two stations could open the same customer</source>
        <translation>%1 : une deuxième création exclusive d&apos;un dossier a réussi : deux postes pourraient ouvrir le même client</translation>
    </message>
    <message>
        <source>a second creation of a folder failed for another reason</source>
        <translation>une deuxième création d&apos;un dossier a échoué pour une autre raison</translation>
    </message>
    <message>
        <source>cannot read a folder&apos;s time</source>
        <translation>impossible de lire la date d&apos;un dossier</translation>
    </message>
    <message>
        <source>cannot create a file</source>
        <translation>impossible de créer un fichier</translation>
    </message>
    <message>
        <source>%1: a second exclusive creation of a file succeeded: two stations could open the same customer</source>
        <translation>%1 : une deuxième création exclusive d&apos;un fichier a réussi : deux postes pourraient ouvrir le même client</translation>
    </message>
    <message>
        <source>a second creation of a file failed for another reason</source>
        <translation>une deuxième création d&apos;un fichier a échoué pour une autre raison</translation>
    </message>
    <message>
        <source>cannot rename a file onto another</source>
        <translation>impossible de renommer un fichier sur un autre</translation>
    </message>
    <message>
        <source>%1: a rename did not replace its target</source>
        <translation>%1 : un renommage n&apos;a pas remplacé sa cible</translation>
    </message>
    <message>
        <source>%1: a folder&apos;s modification time does not move when a file is added: new photos would not be found</source>
        <translation>%1 : la date de modification d&apos;un dossier ne change pas quand un fichier est ajouté : les nouvelles photos ne seraient pas trouvées</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>impossible d&apos;écrire dans %1 : %2</translation>
    </message>
    <message>
        <source>cannot remove %1: %2</source>
        <translation>impossible de supprimer %1 : %2</translation>
    </message>
    <message>
        <source>Order folder</source>
        <translation>Dossier des commandes</translation>
    </message>
    <message>
        <source>%1 is made at start</source>
        <translation>%1 est créé au démarrage</translation>
    </message>
    <message>
        <source>cannot make %1: %2</source>
        <translation>impossible de créer %1 : %2</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>no log file</source>
        <translation>pas de fichier journal</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>impossible de créer %1</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>impossible d&apos;écrire %1 : %2</translation>
    </message>
    <message>
        <source>Free disk space</source>
        <translation>Espace disque libre</translation>
    </message>
    <message>
        <source>cannot tell for %1</source>
        <translation>impossible à déterminer pour %1</translation>
    </message>
    <message>
        <source>%1 reports no size, its free space is not known</source>
        <translation>%1 n&apos;indique pas de taille, son espace libre est inconnu</translation>
    </message>
    <message>
        <source>%1 has %2 free, needs %3</source>
        <translation>%1 a %2 de libre, il faut %3</translation>
    </message>
    <message>
        <source>%1: no CUPS scheduler answers at %2</source>
        <translation>%1 : aucun serveur CUPS ne répond à %2</translation>
    </message>
    <message>
        <source>%1 is not known to CUPS</source>
        <translation>%1 est inconnue de CUPS</translation>
    </message>
    <message>
        <source>%1 does not accept jobs</source>
        <translation>%1 n&apos;accepte pas de tâches</translation>
    </message>
    <message>
        <source>%1 is paused</source>
        <translation>%1 est en pause</translation>
    </message>
    <message>
        <source>Catalogue</source>
        <translation>Catalogue</translation>
    </message>
    <message>
        <source>the site&apos;s catalogue is refused (%1); the shipped one is used</source>
        <translation>le catalogue du site est refusé (%1) ; celui livré avec le logiciel est utilisé</translation>
    </message>
    <message>
        <source>no packages to offer</source>
        <translation>aucun forfait à proposer</translation>
    </message>
    <message>
        <source>1 package from %1</source>
        <translation>1 forfait depuis %1</translation>
    </message>
    <message>
        <source>%1 packages from %2</source>
        <translation>%1 forfaits depuis %2</translation>
    </message>
    <message>
        <source>Session bus</source>
        <translation>Bus de session</translation>
    </message>
    <message>
        <source>no session bus answers</source>
        <translation>aucun bus de session ne répond</translation>
    </message>
    <message>
        <source>Print host</source>
        <translation>Hôte d&apos;impression</translation>
    </message>
    <message>
        <source>no session bus to reach %1 on</source>
        <translation>pas de bus de session pour joindre %1</translation>
    </message>
    <message>
        <source>%1 is not on the session bus</source>
        <translation>%1 n&apos;est pas sur le bus de session</translation>
    </message>
    <message>
        <source>Receipt printers</source>
        <translation>Imprimantes de tickets</translation>
    </message>
    <message>
        <source>receipts are off</source>
        <translation>les tickets sont désactivés</translation>
    </message>
    <message>
        <source>%1 is on but names no printer</source>
        <translation>%1 est activé mais ne désigne aucune imprimante</translation>
    </message>
    <message>
        <source>none turned on</source>
        <translation>aucune n&apos;est activée</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>a list</source>
        <translation>une liste</translation>
    </message>
    <message>
        <source>a dictionary</source>
        <translation>un dictionnaire</translation>
    </message>
    <message>
        <source>data</source>
        <translation>des données</translation>
    </message>
    <message>
        <source>is not a whole number</source>
        <translation>n&apos;est pas un nombre entier</translation>
    </message>
    <message>
        <source>is not a number</source>
        <translation>n&apos;est pas un nombre</translation>
    </message>
    <message>
        <source>is not between %1 and %2</source>
        <translation>n&apos;est pas entre %1 et %2</translation>
    </message>
</context>
<context>
    <name>SiteCodes</name>
    <message>
        <source>A code has %1 to %2 characters.</source>
        <translation>Un code a de %1 à %2 caractères.</translation>
    </message>
    <message>
        <source>The release code is digits only.</source>
        <translation>Le code de validation ne contient que des chiffres.</translation>
    </message>
    <message>
        <source>A command code is * followed by digits and ends with #.</source>
        <translation>Un code de commande est * suivi de chiffres et se termine par #.</translation>
    </message>
    <message>
        <source>The current code is not right.</source>
        <translation>Le code actuel n&apos;est pas le bon.</translation>
    </message>
    <message>
        <source>That code is already another code.</source>
        <translation>Ce code est déjà utilisé par un autre code.</translation>
    </message>
    <message>
        <source>release code</source>
        <translation>code de validation</translation>
    </message>
    <message>
        <source>open-preferences code</source>
        <translation>code d&apos;ouverture des préférences</translation>
    </message>
    <message>
        <source>quit code</source>
        <translation>code de fermeture</translation>
    </message>
    <message>
        <source>administrator-keys code</source>
        <translation>code des touches administrateur</translation>
    </message>
    <message>
        <source>Factory codes still in use, known to every station of this kind: %1. Choose the site&apos;s own in the preferences.</source>
        <translation>Codes d&apos;usine encore utilisés, connus de tous les postes de ce type : %1. Choisissez ceux du site dans les préférences.</translation>
    </message>
</context>
<context>
    <name>StartupSteps</name>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>%1 is not writable</source>
        <translation>%1 n&apos;est pas accessible en écriture</translation>
    </message>
    <message>
        <source>The folder could not be created (%1).</source>
        <translation>Le dossier n&apos;a pas pu être créé (%1).</translation>
    </message>
</context>
<context>
    <name>ThumbnailCache</name>
    <message>
        <source>The photo cache %1 cannot be written (%2); photos show more slowly until it can</source>
        <translation>Le cache des photos %1 ne peut pas être écrit (%2) ; les photos s&apos;affichent plus lentement en attendant</translation>
    </message>
</context>
<context>
    <name>kivo::AttractScreen</name>
    <message>
        <source>Sponsor logo</source>
        <translation>Logo du partenaire</translation>
    </message>
</context>
<context>
    <name>kivo::CatalogueEditor</name>
    <message>
        <source>The catalogue [%1] cannot be read: %2</source>
        <translation>Le catalogue [%1] ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>The package in row %1 (%2) has no PLU.</source>
        <translation>Le forfait de la ligne %1 (%2) n&apos;a pas de PLU.</translation>
    </message>
    <message>
        <source>The PLU %1 is listed twice.</source>
        <translation>Le PLU %1 figure deux fois.</translation>
    </message>
    <message>
        <source>The price of %1 is not a number: [%2].</source>
        <translation>Le prix de %1 n&apos;est pas un nombre : [%2].</translation>
    </message>
    <message>
        <source>The type of %1 is [%2]; it must be Print, Flash or promo.</source>
        <translation>Le type de %1 est [%2] ; il doit être Print, Flash ou promo.</translation>
    </message>
    <message>
        <source>The first-item PLU [%1] of %2 names no package.</source>
        <translation>Le PLU du premier article [%1] de %2 ne désigne aucun forfait.</translation>
    </message>
    <message>
        <source>No package is offered: the panel would be empty.</source>
        <translation>Aucun forfait n&apos;est proposé : le panneau serait vide.</translation>
    </message>
    <message>
        <source>The catalogue cannot be checked: %1</source>
        <translation>Le catalogue ne peut pas être vérifié : %1</translation>
    </message>
    <message>
        <source>The previous catalogue cannot be kept: %1</source>
        <translation>Le catalogue précédent ne peut pas être conservé : %1</translation>
    </message>
    <message>
        <source>The catalogue cannot be saved: %1</source>
        <translation>Le catalogue ne peut pas être enregistré : %1</translation>
    </message>
</context>
<context>
    <name>kivo::CropEditor</name>
    <message>
        <source>Portrait</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Paysage</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Déplacer</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Pivoter</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Recadrer</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Sélection</translation>
    </message>
    <message>
        <source>Annotate</source>
        <translation>Annoter</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>First crop</source>
        <translation>Premier recadrage</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Your crop position is out of bounds</source>
        <translation>Votre recadrage sort des limites</translation>
    </message>
    <message>
        <source>Reposition the picture to fill the crop region</source>
        <translation>Replacez la photo pour remplir la zone de recadrage</translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Proceed anyway</source>
        <translation>Continuer quand même</translation>
    </message>
    <message>
        <source>Crop Ticket</source>
        <translation>Fiche de recadrage</translation>
    </message>
    <message>
        <source>The crop ticket could not be saved.
%1</source>
        <translation>La fiche de recadrage n&apos;a pas pu être enregistrée.
%1</translation>
    </message>
</context>
<context>
    <name>kivo::DayReportPage</name>
    <message>
        <source>PLU</source>
        <translation>PLU</translation>
    </message>
    <message>
        <source>Package</source>
        <translation>Forfait</translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation>Quantité</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Montant</translation>
    </message>
    <message>
        <source>Items per package</source>
        <translation>Articles par forfait</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Orders</source>
        <translation>Commandes</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Sous-total</translation>
    </message>
    <message>
        <source>Discounts</source>
        <translation>Remises</translation>
    </message>
    <message>
        <source>Tax</source>
        <translation>Taxe</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Sales per hour</source>
        <translation>Ventes par heure</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Jour</translation>
    </message>
    <message>
        <source>Previous Day</source>
        <translation>Jour précédent</translation>
    </message>
    <message>
        <source>Next Day</source>
        <translation>Jour suivant</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Résumé</translation>
    </message>
    <message>
        <source>Cross-check of order files and invoices</source>
        <translation>Contrôle croisé des fichiers de commande et des factures</translation>
    </message>
    <message>
        <source>Cross-check</source>
        <translation>Contrôle croisé</translation>
    </message>
    <message>
        <source>The report cannot be made: %1</source>
        <translation>Le rapport ne peut pas être établi : %1</translation>
    </message>
    <message>
        <source>Orders: %1. Total: %2.</source>
        <translation>Commandes : %1. Total : %2.</translation>
    </message>
    <message>
        <source>Orders whose tax is not known (no print job with totals): %1.</source>
        <translation>Commandes dont la taxe est inconnue (aucune impression avec totaux) : %1.</translation>
    </message>
    <message>
        <source>Tax not known</source>
        <translation>Taxe inconnue</translation>
    </message>
    <message>
        <source>Every order file matches its invoice.</source>
        <translation>Chaque fichier de commande correspond à sa facture.</translation>
    </message>
</context>
<context>
    <name>kivo::EditableTextSheet</name>
    <message>
        <source>Editable Text Items</source>
        <translation>Textes modifiables</translation>
    </message>
    <message>
        <source>Texts every order carries to the print host:</source>
        <translation>Textes que chaque commande transmet à l&apos;hôte d&apos;impression :</translation>
    </message>
    <message>
        <source>Add Item</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Selected item</source>
        <translation>Élément choisi</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Descendre</translation>
    </message>
</context>
<context>
    <name>kivo::ImageBrowserView</name>
    <message>
        <source>Photos</source>
        <translation>Photos</translation>
    </message>
</context>
<context>
    <name>kivo::InstructionSheet</name>
    <message>
        <source>How to Choose Your Photos</source>
        <translation>Comment choisir vos photos</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Instructions</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>kivo::KeypadSheet</name>
    <message>
        <source>Photo ID</source>
        <translation>Numéro de photo</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Valider</translation>
    </message>
    <message>
        <source>Admin</source>
        <translation>Admin</translation>
    </message>
    <message>
        <source>Quit App</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Open Pref</source>
        <translation>Préf.</translation>
    </message>
    <message>
        <source>Hide
Keys</source>
        <translation>Masquer
Touches</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
</context>
<context>
    <name>kivo::MarkingWindow</name>
    <message>
        <source>Choose Your Photos</source>
        <translation>Choisissez vos photos</translation>
    </message>
    <message>
        <source>Touch the photos you would like to buy</source>
        <translation>Touchez les photos que vous souhaitez acheter</translation>
    </message>
    <message>
        <source>Marked photos</source>
        <translation>Photos choisies</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Photos</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Précédente</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Suivante</translation>
    </message>
    <message>
        <source>Unmark All</source>
        <translation>Tout retirer</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>TOO MANY IMAGES SELECTED!!!!...</source>
        <translation>TROP DE PHOTOS CHOISIES !!!!...</translation>
    </message>
    <message>
        <source>Selected [%1] images EXCEEDS kMaxImagesItems of [%2].</source>
        <translation>[%1] photos choisies DÉPASSENT kMaxImagesItems de [%2].</translation>
    </message>
</context>
<context>
    <name>kivo::MaskView</name>
    <message>
        <source>8 x 10 Crop Region</source>
        <translation>Zone de recadrage 8 x 10</translation>
    </message>
    <message>
        <source>5 x 7 Crop Region</source>
        <translation>Zone de recadrage 5 x 7</translation>
    </message>
</context>
<context>
    <name>kivo::OrderReleaseBridge</name>
    <message>
        <source>Your order could not be saved. Please ask a member of staff for help.</source>
        <translation>Votre commande n&apos;a pas pu être enregistrée. Merci de demander de l&apos;aide à un membre du personnel.</translation>
    </message>
    <message>
        <source>The order files of %1 were not written.</source>
        <translation>Les fichiers de commande de %1 n&apos;ont pas été écrits.</translation>
    </message>
    <message>
        <source>The order of %1 was not saved: the %2 file was not written: %3</source>
        <translation>La commande de %1 n&apos;a pas été enregistrée : le fichier %2 n&apos;a pas été écrit : %3</translation>
    </message>
</context>
<context>
    <name>kivo::OrderSummaryModel</name>
    <message>
        <source>&lt;unknown&gt;</source>
        <translation>&lt;inconnu&gt;</translation>
    </message>
</context>
<context>
    <name>kivo::OrderSummarySheet</name>
    <message>
        <source>Your Order</source>
        <translation>Votre commande</translation>
    </message>
    <message>
        <source>Order summary</source>
        <translation>Récapitulatif de la commande</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Page précédente</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Page suivante</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Sous-total</translation>
    </message>
    <message>
        <source>Discount</source>
        <translation>Remise</translation>
    </message>
    <message>
        <source>Tax</source>
        <translation>Taxe</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Item count</source>
        <translation>Nombre d&apos;articles</translation>
    </message>
    <message>
        <source>Free items</source>
        <translation>Articles offerts</translation>
    </message>
    <message>
        <source>Start Over</source>
        <translation>Recommencer</translation>
    </message>
    <message>
        <source>Edit Order</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Accept Order</source>
        <translation>Valider la commande</translation>
    </message>
    <message>
        <source>PLEASE CALL FOR SALES PERSON</source>
        <translation>MERCI D&apos;APPELER UN VENDEUR</translation>
    </message>
    <message>
        <source>To Continue This PURCHASE,
Please Call for a Sales Person.
Thank You.</source>
        <translation>Pour finaliser cet ACHAT,
merci d&apos;appeler un vendeur.
Merci.</translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Attendant...</source>
        <translation>Vendeur...</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n article</numerusform>
            <numerusform>%n articles</numerusform>
        </translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>Free Sheets</source>
        <translation>Tirages offerts</translation>
    </message>
    <message>
        <source>Qty</source>
        <translation>Qté</translation>
    </message>
    <message>
        <source>Package</source>
        <translation>Forfait</translation>
    </message>
    <message>
        <source>Each</source>
        <translation>Prix</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Montant</translation>
    </message>
</context>
<context>
    <name>kivo::OutOfServiceScreen</name>
    <message>
        <source>Out of Service</source>
        <translation>Hors service</translation>
    </message>
    <message>
        <source>This station cannot take orders at the moment.
Please ask a member of staff, or use another station.</source>
        <translation>Ce poste ne peut pas prendre de commandes pour le moment.
Merci de vous adresser au personnel ou d&apos;utiliser un autre poste.</translation>
    </message>
    <message>
        <source>Reasons</source>
        <translation>Raisons</translation>
    </message>
    <message>
        <source>Checking again at %1</source>
        <translation>Nouvelle vérification à %1</translation>
    </message>
</context>
<context>
    <name>kivo::PackagePanelModel</name>
    <message>
        <source>Special Pkg#%1</source>
        <translation>Forfait spécial n°%1</translation>
    </message>
    <message>
        <source>Regular Pkg#%1</source>
        <translation>Forfait standard n°%1</translation>
    </message>
</context>
<context>
    <name>kivo::PackagePanelView</name>
    <message>
        <source>Buy</source>
        <translation>Acheter</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>▼ More packages below ▼</source>
        <extracomment>Over the foot of the package rows while more of them lie below.</extracomment>
        <translation>▼ Autres forfaits plus bas ▼</translation>
    </message>
</context>
<context>
    <name>kivo::PhotoEditingWindow</name>
    <message>
        <source>Edit Photo</source>
        <translation>Modifier la photo</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Ouvrir...</translation>
    </message>
    <message>
        <source>Please Select A Photo...</source>
        <translation>Choisissez une photo...</translation>
    </message>
    <message>
        <source>Photos (*.jpg *.jpeg *.png *.tif *.tiff)</source>
        <translation>Photos (*.jpg *.jpeg *.png *.tif *.tiff)</translation>
    </message>
</context>
<context>
    <name>kivo::PhotoGridView</name>
    <message>
        <source>Photos</source>
        <translation>Photos</translation>
    </message>
</context>
<context>
    <name>kivo::PhotoPreview</name>
    <message>
        <source>Selected photo</source>
        <translation>Photo choisie</translation>
    </message>
    <message>
        <source>This photo cannot be shown</source>
        <translation>Cette photo ne peut pas être affichée</translation>
    </message>
</context>
<context>
    <name>kivo::PreferencesModel</name>
    <message>
        <source>Choose the printer first.</source>
        <translation>Choisissez d&apos;abord l&apos;imprimante.</translation>
    </message>
    <message>
        <source>There is no printer [%1]: choose one that exists.</source>
        <translation>Il n&apos;y a pas d&apos;imprimante [%1] : choisissez-en une qui existe.</translation>
    </message>
    <message>
        <source>[%1] is not a setting of the sheet.</source>
        <translation>[%1] n&apos;est pas un réglage de la feuille.</translation>
    </message>
    <message>
        <source>%1: [%2] is not a whole number.</source>
        <translation>%1 : [%2] n&apos;est pas un nombre entier.</translation>
    </message>
    <message>
        <source>%1: %2 is not between %3 and %4.</source>
        <translation>%1 : %2 n&apos;est pas entre %3 et %4.</translation>
    </message>
    <message>
        <source>%1: [%2] is not a number.</source>
        <translation>%1 : [%2] n&apos;est pas un nombre.</translation>
    </message>
    <message>
        <source>%1 is chosen with its button.</source>
        <translation>%1 se choisit avec son bouton.</translation>
    </message>
    <message>
        <source>The file [%1] does not exist.</source>
        <translation>Le fichier [%1] n&apos;existe pas.</translation>
    </message>
    <message>
        <source>The file [%1] cannot be read.</source>
        <translation>Le fichier [%1] ne peut pas être lu.</translation>
    </message>
    <message>
        <source>[%1] is not one of: %2.</source>
        <translation>[%1] ne fait pas partie de : %2.</translation>
    </message>
    <message>
        <source>The settings file could not be read, so the factory settings apply: %1</source>
        <translation>Le fichier de réglages n&apos;a pas pu être lu, les réglages d&apos;usine s&apos;appliquent : %1</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activé</translation>
    </message>
    <message>
        <source>off</source>
        <translation>désactivé</translation>
    </message>
    <message>
        <source>%1 holds [%2], which is not a value of its kind; it is read as [%3]. Set it again to mend it.</source>
        <translation>%1 contient [%2], qui n&apos;est pas une valeur de son type ; il est lu comme [%3]. Réglez-le à nouveau pour le corriger.</translation>
    </message>
    <message>
        <source>%1 is on, but there is no printer [%2] now.</source>
        <translation>%1 est activé, mais il n&apos;y a plus d&apos;imprimante [%2].</translation>
    </message>
    <message>
        <source>The daily folder name needs a date pattern.</source>
        <translation>Le nom du dossier du jour demande un motif de date.</translation>
    </message>
    <message>
        <source>The settings cannot be saved: %1. The change is kept and saved as soon as there is room.</source>
        <translation>Les réglages ne peuvent pas être enregistrés : %1. La modification est conservée et enregistrée dès qu&apos;il y a de la place.</translation>
    </message>
    <message>
        <source>%1 holds %2, which is not between %3 and %4, so it is not used. Set it again to mend it.</source>
        <translation>%1 contient %2, qui n&apos;est pas entre %3 et %4, il n&apos;est donc pas utilisé. Réglez-le à nouveau pour le corriger.</translation>
    </message>
</context>
<context>
    <name>kivo::PreferencesSheet</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Example</source>
        <translation>Exemple</translation>
    </message>
    <message>
        <source>Editable Text Items...</source>
        <translation>Textes modifiables...</translation>
    </message>
    <message>
        <source>Index tool</source>
        <translation>Outil d&apos;index</translation>
    </message>
    <message>
        <source>Live index</source>
        <translation>Index en direct</translation>
    </message>
    <message>
        <source>Folder scan</source>
        <translation>Parcours du dossier</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Choisir...</translation>
    </message>
    <message>
        <source>Choose %1</source>
        <translation>Choisir %1</translation>
    </message>
    <message>
        <source>Packages offered on the panel, in panel order:</source>
        <translation>Forfaits proposés sur le panneau, dans l&apos;ordre du panneau :</translation>
    </message>
    <message>
        <source>Packages</source>
        <translation>Forfaits</translation>
    </message>
    <message>
        <source>Number of first items</source>
        <translation>Nombre de premiers articles</translation>
    </message>
    <message>
        <source>Add Package</source>
        <translation>Ajouter un forfait</translation>
    </message>
    <message>
        <source>Remove Package</source>
        <translation>Retirer le forfait</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Revert Packages</source>
        <translation>Rétablir les forfaits</translation>
    </message>
    <message>
        <source>Save Packages</source>
        <translation>Enregistrer les forfaits</translation>
    </message>
    <message>
        <source>Saved. The packages are offered from the next start of the station.</source>
        <translation>Enregistré. Les forfaits sont proposés dès le prochain démarrage du poste.</translation>
    </message>
    <message>
        <source>Not saved: %1 The packages in force stay.</source>
        <translation>Non enregistré : %1 Les forfaits en vigueur restent.</translation>
    </message>
    <message>
        <source>Code to change</source>
        <translation>Code à changer</translation>
    </message>
    <message>
        <source>Current code</source>
        <translation>Code actuel</translation>
    </message>
    <message>
        <source>New code</source>
        <translation>Nouveau code</translation>
    </message>
    <message>
        <source>New code again</source>
        <translation>Nouveau code (confirmation)</translation>
    </message>
    <message>
        <source>Change Code</source>
        <translation>Changer le code</translation>
    </message>
    <message>
        <source>The new code and its repetition differ.</source>
        <translation>Le nouveau code et sa confirmation diffèrent.</translation>
    </message>
    <message>
        <source>%1 changed.</source>
        <translation>%1 modifié.</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(aucune)</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Choisir</translation>
    </message>
    <message>
        <source>Please Select Your Images Folder...</source>
        <translation>Choisissez votre dossier des images...</translation>
    </message>
    <message>
        <source>Please Select The PendingInvoiceFolder...</source>
        <translation>Choisissez le dossier des factures en attente...</translation>
    </message>
    <message>
        <source>Please Select The Local Server Path...</source>
        <translation>Choisissez le chemin du serveur local...</translation>
    </message>
    <message>
        <source>Please Select The Receipts Folder...</source>
        <translation>Choisissez le dossier des tickets...</translation>
    </message>
    <message>
        <source>Please Select A Movie...</source>
        <translation>Choisissez un film...</translation>
    </message>
    <message>
        <source>Please Select The Sponsor Logo...</source>
        <translation>Choisissez le logo du partenaire...</translation>
    </message>
    <message>
        <source>Day Report</source>
        <translation>Rapport du jour</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Crop Editor...</source>
        <translation>Éditeur de recadrage...</translation>
    </message>
    <message>
        <source>Selected cell</source>
        <translation>Cellule choisie</translation>
    </message>
    <message>
        <source>Nothing to report.</source>
        <translation>Rien à signaler.</translation>
    </message>
    <message>
        <source>No path was given.</source>
        <translation>Aucun chemin n&apos;a été donné.</translation>
    </message>
    <message>
        <source>Receipt printers</source>
        <translation>Imprimantes de reçus</translation>
    </message>
    <message>
        <source>Receipt printer</source>
        <translation>Imprimante de reçus</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Reasons</source>
        <translation>Raisons</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>Niveaux</translation>
    </message>
    <message>
        <source>Health</source>
        <translation>Santé</translation>
    </message>
    <message>
        <source>not accepting jobs</source>
        <translation>refuse les travaux</translation>
    </message>
    <message>
        <source>%1 %2 %</source>
        <translation>%1 %2 %</translation>
    </message>
    <message>
        <source>%1 unknown</source>
        <translation>%1 inconnu</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>absente</translation>
    </message>
</context>
<context>
    <name>kivo::ReceiptNamePromptDialog</name>
    <message>
        <source>Your Name</source>
        <translation>Votre nom</translation>
    </message>
    <message>
        <source>Please enter your name for the receipt</source>
        <translation>Saisissez votre nom pour le ticket</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>kivo::SalesSession</name>
    <message>
        <source>Initializing System...</source>
        <translation>Démarrage du système...</translation>
    </message>
    <message>
        <source>UNABLE to Find REQUIRED Volumes...
You may need to setup your prefs...?</source>
        <translation>IMPOSSIBLE de trouver les volumes NÉCESSAIRES...
Vérifiez peut-être les préférences... ?</translation>
    </message>
    <message>
        <source>Open Preferences...</source>
        <translation>Ouvrir les préférences...</translation>
    </message>
    <message>
        <source>Please Enter/Scan Your Photo ID</source>
        <translation>Saisissez ou scannez votre numéro de photo</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Please Enter Another ID</source>
        <translation>Saisissez un autre numéro</translation>
    </message>
    <message>
        <source>If NO More ID, Just Hit Enter.</source>
        <translation>S&apos;il n&apos;y a plus de numéro, appuyez sur Valider.</translation>
    </message>
    <message>
        <source>Sorry - Your ID [%1] Is In Use By Another System...</source>
        <translation>Désolé - votre numéro [%1] est utilisé par un autre poste...</translation>
    </message>
    <message>
        <source>No Images Found for ID: [%1]</source>
        <translation>Aucune photo trouvée pour le numéro : [%1]</translation>
    </message>
    <message>
        <source>Are You Sure You Want to Cancel This Order?</source>
        <translation>Voulez-vous vraiment annuler cette commande ?</translation>
    </message>
    <message>
        <source>Cancel Order</source>
        <translation>Oui, annuler</translation>
    </message>
    <message>
        <source>Resume Order</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Enter Release Code...</source>
        <translation>Saisissez le code de validation...</translation>
    </message>
    <message>
        <source>Please Contact Sales For Help...</source>
        <translation>Merci de contacter un vendeur pour de l&apos;aide...</translation>
    </message>
    <message>
        <source>UNABLE to Save This Order...
%1</source>
        <translation>IMPOSSIBLE d&apos;enregistrer cette commande...
%1</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Réessayer</translation>
    </message>
    <message>
        <source>Back to Order</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Please call a staff member: %1</source>
        <translation>Merci d&apos;appeler un membre du personnel : %1</translation>
    </message>
    <message>
        <source>Enter the Administrator Code...</source>
        <translation>Saisissez le code administrateur...</translation>
    </message>
    <message>
        <source>Enter the Quit Code...</source>
        <translation>Saisissez le code de fermeture...</translation>
    </message>
    <message>
        <source>Staff Only - Enter With No Code to Go Back.</source>
        <translation>Personnel uniquement - Valider sans code pour revenir.</translation>
    </message>
    <message>
        <source>Searching For Your Photos...</source>
        <translation>Recherche de vos photos...</translation>
    </message>
    <message>
        <source>The order of %1 was not saved: the photos cannot be read, their folder %2 does not answer (is the share there?)</source>
        <translation>La commande de %1 n&apos;a pas été enregistrée : les photos ne peuvent pas être lues, leur dossier %2 ne répond pas (le partage est-il là ?)</translation>
    </message>
    <message>
        <source>This photo can no longer be printed: %1. It has been taken off your order and nothing was charged for it; please look over your order again.</source>
        <translation>Cette photo ne peut plus être imprimée : %1. Elle a été retirée de votre commande et rien n&apos;a été facturé pour elle ; merci de vérifier à nouveau votre commande.</translation>
    </message>
</context>
<context>
    <name>kivo::SalesWindow</name>
    <message>
        <source>Kivo Sales Station</source>
        <translation>Kivo Sales Station</translation>
    </message>
    <message>
        <source>Processing Your Order...</source>
        <translation>Traitement de votre commande...</translation>
    </message>
    <message numerus="yes">
        <source>ID %1: %n photo(s)</source>
        <translation>
            <numerusform>N° %1 : %n photo</numerusform>
            <numerusform>N° %1 : %n photos</numerusform>
        </translation>
    </message>
    <message>
        <source>The changed package catalogue is not used (%1); the station sells from the one it had.</source>
        <translation>Le catalogue de forfaits modifié n&apos;est pas utilisé (%1) ; le poste vend avec celui qu&apos;il avait.</translation>
    </message>
</context>
<context>
    <name>kivo::SellingCoordinator</name>
    <message>
        <source>????????</source>
        <translation>????????</translation>
    </message>
</context>
<context>
    <name>kivo::SellingScreen</name>
    <message>
        <source>Choose your packages for this photo</source>
        <translation>Choisissez vos forfaits pour cette photo</translation>
    </message>
    <message>
        <source>Start Over</source>
        <translation>Recommencer</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Retour</translation>
    </message>
    <message>
        <source>Show Summary</source>
        <translation>Panier</translation>
    </message>
    <message>
        <source>Previous Photos</source>
        <translation>Photos précédentes</translation>
    </message>
    <message>
        <source>More Photos</source>
        <translation>Plus de photos</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Sponsor logo</source>
        <translation>Logo du partenaire</translation>
    </message>
    <message>
        <source>This photo cannot be ordered: it cannot be shown whole. Please choose another photo.</source>
        <translation>Cette photo ne peut pas être commandée : elle ne peut pas être affichée en entier. Merci de choisir une autre photo.</translation>
    </message>
</context>
<context>
    <name>kivo::SellingTotalsView</name>
    <message>
        <source>Photo subtotal</source>
        <translation>Total photo</translation>
    </message>
    <message>
        <source>Order subtotal</source>
        <translation>Total commande</translation>
    </message>
    <message>
        <source>Print items</source>
        <translation>Tirages</translation>
    </message>
    <message>
        <source>USB items</source>
        <translation>Clés USB</translation>
    </message>
    <message>
        <source>Photo sheets</source>
        <translation>Planches photo</translation>
    </message>
    <message>
        <source>Order sheets</source>
        <translation>Total planches</translation>
    </message>
</context>
<context>
    <name>kivo::StationApp</name>
    <message>
        <source>About %1...</source>
        <translation>À propos de %1...</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Préférences...</translation>
    </message>
    <message>
        <source>Hide %1...</source>
        <translation>Masquer %1...</translation>
    </message>
    <message>
        <source>Quit %1...</source>
        <translation>Quitter %1...</translation>
    </message>
    <message>
        <source>PROBLEM WITH SETUP!!!!...</source>
        <translation>PROBLÈME DE CONFIGURATION !!!!...</translation>
    </message>
    <message>
        <source>Unable to create needed folder at path:
[%1]
Error:
%2</source>
        <translation>Impossible de créer le dossier nécessaire au chemin :
[%1]
Erreur :
%2</translation>
    </message>
    <message>
        <source>The settings cannot be saved (%1); the changes are kept and saved once there is room.</source>
        <translation>Les réglages ne peuvent pas être enregistrés (%1) ; les modifications sont conservées et enregistrées dès qu&apos;il y a de la place.</translation>
    </message>
    <message>
        <source>The metrics cannot be served on port %1.</source>
        <translation>Les métriques ne peuvent pas être servies sur le port %1.</translation>
    </message>
    <message>
        <source>Settings that cannot be used: %1</source>
        <translation>Réglages inutilisables : %1</translation>
    </message>
</context>
<context>
    <name>kivo::StillTherePrompt</name>
    <message>
        <source>Still there?</source>
        <translation>Toujours là ?</translation>
    </message>
    <message>
        <source>I&apos;m Still Here</source>
        <translation>Je suis là</translation>
    </message>
    <message numerus="yes">
        <source>Touch the screen to keep your order.
It will be cleared in %n second(s).</source>
        <translation>
            <numerusform>Touchez l&apos;écran pour garder votre commande.
Elle sera effacée dans %n seconde.</numerusform>
            <numerusform>Touchez l&apos;écran pour garder votre commande.
Elle sera effacée dans %n secondes.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>kivo::ZoomWindow</name>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Zoomed photo</source>
        <translation>Photo agrandie</translation>
    </message>
    <message>
        <source>This photo cannot be shown</source>
        <translation>Cette photo ne peut pas être affichée</translation>
    </message>
    <message>
        <source>Sample Print</source>
        <translation>Tirage d&apos;essai</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>kivo::ZoomableImageView</name>
    <message>
        <source>Photo</source>
        <translation>Photo</translation>
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
        <translation>Utilisation : kivo-sales-station [--self-test | --help | --version]
  --self-test  vérifie les réglages, dossiers, catalogue, bus, hôte d&apos;impression,
               imprimantes de tickets, journal et espace disque ; une ligne chacun ;
               code de sortie 0 seulement si toutes les vérifications ont réussi
  --help       affiche ce texte
  --version    affiche la version
</translation>
    </message>
</context>
</TS>
