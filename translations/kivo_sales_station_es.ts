<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>CropOptions</name>
    <message>
        <source>The crop sizes in %1 cannot be used: %2</source>
        <translation>Los formatos de recorte de %1 no se pueden usar: %2</translation>
    </message>
    <message>
        <source>the file is missing.</source>
        <translation>falta el archivo.</translation>
    </message>
    <message>
        <source>it is not a list.</source>
        <translation>no es una lista.</translation>
    </message>
    <message>
        <source>it lists no sizes.</source>
        <translation>no contiene ningún formato.</translation>
    </message>
    <message>
        <source>entry %1 has no usable &quot;title&quot;.</source>
        <translation>la entrada %1 no tiene un &quot;title&quot; válido.</translation>
    </message>
    <message>
        <source>entry %1 needs an &quot;aspectRatio&quot; number of at least 1.</source>
        <translation>la entrada %1 necesita un número &quot;aspectRatio&quot; de al menos 1.</translation>
    </message>
    <message>
        <source>the size &quot;%1&quot; is listed twice.</source>
        <translation>el formato &quot;%1&quot; aparece dos veces.</translation>
    </message>
</context>
<context>
    <name>CropWriter</name>
    <message>
        <source>the photo is too large to crop (%1 x %2 pixels)</source>
        <translation>la foto es demasiado grande para recortarla (%1 x %2 píxeles)</translation>
    </message>
    <message>
        <source>the photo&apos;s file is cut short</source>
        <translation>el archivo de la foto está incompleto</translation>
    </message>
    <message>
        <source>cannot decode the photo (%1)</source>
        <translation>no se puede decodificar la foto (%1)</translation>
    </message>
    <message>
        <source>cannot encode JPEG (%1)</source>
        <translation>no se puede codificar el JPEG (%1)</translation>
    </message>
    <message>
        <source>the photo&apos;s path names no folder to write into</source>
        <translation>la ruta de la foto no indica ninguna carpeta donde escribir</translation>
    </message>
    <message>
        <source>the names &quot;%1&quot; and &quot;%2&quot; make no file name</source>
        <translation>los nombres &quot;%1&quot; y &quot;%2&quot; no forman un nombre de archivo</translation>
    </message>
    <message>
        <source>the crop %1 lies outside the photo</source>
        <translation>el recorte %1 queda fuera de la foto</translation>
    </message>
    <message>
        <source>not enough free memory to crop the photo now (%1 MB needed)</source>
        <translation>no hay memoria libre suficiente para recortar la foto ahora (se necesitan %1 MB)</translation>
    </message>
</context>
<context>
    <name>CustomerLock</name>
    <message>
        <source>a folder</source>
        <translation>una carpeta</translation>
    </message>
    <message>
        <source>a symbolic link to %1</source>
        <translation>un enlace simbólico a %1</translation>
    </message>
    <message>
        <source>a dangling symbolic link to %1</source>
        <translation>un enlace simbólico roto a %1</translation>
    </message>
    <message>
        <source>a named pipe (FIFO)</source>
        <translation>una tubería con nombre (FIFO)</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a device file</source>
        <translation>un archivo de dispositivo</translation>
    </message>
    <message>
        <source>%1 is %2, not a customer lock. Remove it so that the ID %3 can be served.</source>
        <translation>%1 es %2, no un bloqueo de cliente. Elimínelo para poder atender el ID %3.</translation>
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
        <translation>cantidad</translation>
    </message>
    <message>
        <source>unit price</source>
        <translation>precio unitario</translation>
    </message>
    <message>
        <source>amount</source>
        <translation>importe</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a pending invoice</source>
        <translation>%1 no es una factura pendiente</translation>
    </message>
    <message>
        <source>record %1 of %2 is not PLU, name, photo, quantity, unit price and amount</source>
        <translation>el registro %1 de %2 no es PLU, nombre, foto, cantidad, precio unitario e importe</translation>
    </message>
    <message>
        <source>free sheets</source>
        <translation>copias gratis</translation>
    </message>
    <message>
        <source>discount</source>
        <translation>descuento</translation>
    </message>
    <message>
        <source>record %1 (%2) is in the order file but not in the invoice</source>
        <translation>el registro %1 (%2) está en el archivo de pedido pero no en la factura</translation>
    </message>
    <message>
        <source>record %1 (%2) of the invoice is not in the order file</source>
        <translation>el registro %1 (%2) de la factura no está en el archivo de pedido</translation>
    </message>
    <message>
        <source>record %1 (%2): %3 %4 in the order file, %5 in the invoice</source>
        <translation>registro %1 (%2): %3 %4 en el archivo de pedido, %5 en la factura</translation>
    </message>
    <message>
        <source>the folder setting %1 is not set</source>
        <translation>el ajuste de carpeta %1 no está definido</translation>
    </message>
    <message>
        <source>cannot read the folder %1 (%2)</source>
        <translation>no se puede leer la carpeta %1 (%2)</translation>
    </message>
    <message>
        <source>pending invoice %1 without an order file</source>
        <translation>factura pendiente %1 sin archivo de pedido</translation>
    </message>
    <message>
        <source>pending invoice without an order file</source>
        <translation>factura pendiente sin archivo de pedido</translation>
    </message>
    <message>
        <source>%1 is not an order</source>
        <translation>%1 no es un pedido</translation>
    </message>
    <message>
        <source>no pending invoice</source>
        <translation>ninguna factura pendiente</translation>
    </message>
    <message>
        <source>the print job&apos;s totals are for a subtotal of %1, the order file&apos;s is %2: its tax is not used</source>
        <translation>los totales de la impresión son para un subtotal de %1, el del archivo de pedido es %2: su impuesto no se usa</translation>
    </message>
    <message>
        <source>pending invoice %1 without an order file at any station</source>
        <translation>factura pendiente %1 sin archivo de pedido en ningún puesto</translation>
    </message>
    <message>
        <source>Site report for %1: %2 stations</source>
        <translation>Informe del centro del %1: %2 puestos</translation>
    </message>
    <message>
        <source>Station %1: %2</source>
        <translation>Puesto %1: %2</translation>
    </message>
    <message>
        <source>The site: every station together</source>
        <translation>El centro: todos los puestos juntos</translation>
    </message>
    <message>
        <source>End-of-day report for %1</source>
        <translation>Informe de cierre del %1</translation>
    </message>
    <message>
        <source>Orders: %1</source>
        <translation>Pedidos: %1</translation>
    </message>
    <message>
        <source>Items per package</source>
        <translation>Artículos por paquete</translation>
    </message>
    <message>
        <source>Package</source>
        <translation>Paquete</translation>
    </message>
    <message>
        <source>Qty</source>
        <translation>Cant.</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Importe</translation>
    </message>
    <message>
        <source>(nothing sold)</source>
        <translation>(ninguna venta)</translation>
    </message>
    <message>
        <source>Sales per hour</source>
        <translation>Ventas por hora</translation>
    </message>
    <message>
        <source>not known</source>
        <translation>desconocido</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>Hora</translation>
    </message>
    <message>
        <source>Orders</source>
        <translation>Pedidos</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Subtotal</translation>
    </message>
    <message>
        <source>Discounts</source>
        <translation>Descuentos</translation>
    </message>
    <message>
        <source>Tax</source>
        <translation>Impuesto</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Día</translation>
    </message>
    <message>
        <source>Tax not known</source>
        <translation>Impuesto desconocido</translation>
    </message>
    <message>
        <source>no print job with totals for: %1</source>
        <translation>ninguna impresión con totales para: %1</translation>
    </message>
    <message>
        <source>Cross-check of order files and invoices</source>
        <translation>Comprobación cruzada de archivos de pedido y facturas</translation>
    </message>
    <message>
        <source>Every order file matches its invoice.</source>
        <translation>Cada archivo de pedido coincide con su factura.</translation>
    </message>
</context>
<context>
    <name>Keypad</name>
    <message>
        <source>What???</source>
        <translation>¿¿¿Cómo???</translation>
    </message>
    <message>
        <source>ID Located on the Photo Card Given to You At the Camera Station...</source>
        <translation>El número está en la tarjeta de foto que le dieron en el puesto de fotos...</translation>
    </message>
    <message>
        <source>ID=[%1] Must Be %2 Digits!</source>
        <translation>¡El número [%1] debe tener %2 cifras!</translation>
    </message>
    <message>
        <source>ID=[%1] is Already %2 Digits...</source>
        <translation>El número [%1] ya tiene %2 cifras...</translation>
    </message>
    <message>
        <source>Too Many Wrong Codes - Try Again in %1 s...</source>
        <translation>Demasiados códigos erróneos - inténtelo en %1 s...</translation>
    </message>
    <message>
        <source>Wrong Code...</source>
        <translation>Código erróneo...</translation>
    </message>
</context>
<context>
    <name>Log</name>
    <message>
        <source>The log file cannot be written (%1): log lines are being lost.</source>
        <translation>No se puede escribir el archivo de registro (%1): se están perdiendo líneas del registro.</translation>
    </message>
</context>
<context>
    <name>OrderPricing</name>
    <message>
        <source>Get Another Free Print if You Purchase %i more Item(s)...</source>
        <translation>Llévese otra copia gratis si compra %i artículo(s) más...</translation>
    </message>
    <message>
        <source>Good News - Please Go Back and ADD Your Free Print...</source>
        <translation>Buenas noticias - vuelva atrás y AÑADA su copia gratis...</translation>
    </message>
    <message>
        <source>Your Sales Tax:</source>
        <translation>Su impuesto:</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Offered</source>
        <translation>Ofrecido</translation>
    </message>
    <message>
        <source>PLU</source>
        <translation>PLU</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Precio</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>Print host name</source>
        <translation>Nombre para el equipo de impresión</translation>
    </message>
    <message>
        <source>Print host package</source>
        <translation>Paquete del equipo de impresión</translation>
    </message>
    <message>
        <source>Icon</source>
        <translation>Icono</translation>
    </message>
    <message>
        <source>First-item PLU</source>
        <translation>PLU del primer artículo</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>N.º</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Texto</translation>
    </message>
    <message>
        <source>Images folder</source>
        <translation>Carpeta de imágenes</translation>
    </message>
    <message>
        <source>Pending invoice folder</source>
        <translation>Carpeta de facturas pendientes</translation>
    </message>
    <message>
        <source>Order folder</source>
        <translation>Carpeta de pedidos</translation>
    </message>
    <message>
        <source>Receipt copies folder</source>
        <translation>Carpeta de copias de tiques</translation>
    </message>
    <message>
        <source>Search the day&apos;s subfolder</source>
        <translation>Buscar en la subcarpeta del día</translation>
    </message>
    <message>
        <source>Daily folder name</source>
        <translation>Nombre de la carpeta del día</translation>
    </message>
    <message>
        <source>Program started with the station 1</source>
        <translation>Programa iniciado con el puesto 1</translation>
    </message>
    <message>
        <source>Program started with the station 2</source>
        <translation>Programa iniciado con el puesto 2</translation>
    </message>
    <message>
        <source>Program started with the station 3</source>
        <translation>Programa iniciado con el puesto 3</translation>
    </message>
    <message>
        <source>Photo search</source>
        <translation>Búsqueda de fotos</translation>
    </message>
    <message>
        <source>Several photo IDs per visit</source>
        <translation>Varios números de foto por visita</translation>
    </message>
    <message>
        <source>Ask for the release code</source>
        <translation>Pedir el código de liberación</translation>
    </message>
    <message>
        <source>Ask the customer to call a sales person first</source>
        <translation>Pedir al cliente que llame antes a un vendedor</translation>
    </message>
    <message>
        <source>Show the marking window first</source>
        <translation>Mostrar primero la ventana de selección</translation>
    </message>
    <message>
        <source>Sell only the marked photos</source>
        <translation>Vender solo las fotos seleccionadas</translation>
    </message>
    <message>
        <source>Sample print of the first photo</source>
        <translation>Copia de muestra de la primera foto</translation>
    </message>
    <message>
        <source>Sample print from the zoom window</source>
        <translation>Copia de muestra desde la ventana de zoom</translation>
    </message>
    <message>
        <source>Hide the keypad&apos;s mode button</source>
        <translation>Ocultar el botón de modo del teclado</translation>
    </message>
    <message>
        <source>Show the menu bar</source>
        <translation>Mostrar la barra de menús</translation>
    </message>
    <message>
        <source>Add sales tax</source>
        <translation>Añadir el impuesto</translation>
    </message>
    <message>
        <source>Sales tax rate (0.0875 is 8.75 %)</source>
        <translation>Tipo de impuesto (0.0875 es 8,75 %)</translation>
    </message>
    <message>
        <source>Tax after discounts</source>
        <translation>Impuesto tras descuentos</translation>
    </message>
    <message>
        <source>Sales tax text</source>
        <translation>Texto del impuesto</translation>
    </message>
    <message>
        <source>Prints for the percentage discount</source>
        <translation>Copias para el descuento porcentual</translation>
    </message>
    <message>
        <source>Percentage discount (0.25 is 25 %)</source>
        <translation>Descuento porcentual (0.25 es 25 %)</translation>
    </message>
    <message>
        <source>First-two discount</source>
        <translation>Descuento en los dos primeros</translation>
    </message>
    <message>
        <source>Items to buy for one free (0: off)</source>
        <translation>Artículos a comprar por uno gratis (0: desactivado)</translation>
    </message>
    <message>
        <source>Free sheet amount</source>
        <translation>Importe de una copia gratis</translation>
    </message>
    <message>
        <source>Free sheets PLU</source>
        <translation>PLU de las copias gratis</translation>
    </message>
    <message>
        <source>Prints for the reduced USB price</source>
        <translation>Copias para el precio USB reducido</translation>
    </message>
    <message>
        <source>Discount PLU</source>
        <translation>PLU de descuento</translation>
    </message>
    <message>
        <source>Discount description</source>
        <translation>Descripción del descuento</translation>
    </message>
    <message>
        <source>Upsell threshold</source>
        <translation>Umbral de venta adicional</translation>
    </message>
    <message>
        <source>Upsell amount</source>
        <translation>Importe de venta adicional</translation>
    </message>
    <message>
        <source>Upsell PLU</source>
        <translation>PLU de venta adicional</translation>
    </message>
    <message>
        <source>Cancel out the upsell amount</source>
        <translation>Anular el importe de venta adicional</translation>
    </message>
    <message>
        <source>Zero the catalogue&apos;s prices on the summary</source>
        <translation>Poner a cero los precios del catálogo en el resumen</translation>
    </message>
    <message>
        <source>Append the portrait suffix to PLUs</source>
        <translation>Añadir el sufijo vertical a los PLU</translation>
    </message>
    <message>
        <source>Portrait suffix</source>
        <translation>Sufijo vertical</translation>
    </message>
    <message>
        <source>Append the landscape suffix to PLUs</source>
        <translation>Añadir el sufijo horizontal a los PLU</translation>
    </message>
    <message>
        <source>Landscape suffix</source>
        <translation>Sufijo horizontal</translation>
    </message>
    <message>
        <source>Print a receipt</source>
        <translation>Imprimir un tique</translation>
    </message>
    <message>
        <source>Ask for the customer&apos;s name</source>
        <translation>Pedir el nombre del cliente</translation>
    </message>
    <message>
        <source>Print on the primary printer</source>
        <translation>Imprimir en la impresora principal</translation>
    </message>
    <message>
        <source>Primary receipt printer</source>
        <translation>Impresora de tiques principal</translation>
    </message>
    <message>
        <source>Print on the secondary printer</source>
        <translation>Imprimir en la impresora secundaria</translation>
    </message>
    <message>
        <source>Secondary receipt printer</source>
        <translation>Impresora de tiques secundaria</translation>
    </message>
    <message>
        <source>Auxiliary printer</source>
        <translation>Impresora auxiliar</translation>
    </message>
    <message>
        <source>Receipt copies</source>
        <translation>Copias de tiques</translation>
    </message>
    <message>
        <source>Show the print dialog for each receipt</source>
        <translation>Mostrar el diálogo de impresión para cada tique</translation>
    </message>
    <message>
        <source>Metrics port (0: off)</source>
        <translation>Puerto de las métricas (0: ninguno)</translation>
    </message>
    <message>
        <source>Play the movie</source>
        <translation>Reproducir el vídeo</translation>
    </message>
    <message>
        <source>Movie or picture</source>
        <translation>Vídeo o imagen</translation>
    </message>
    <message>
        <source>Movie fills the screen</source>
        <translation>El vídeo llena la pantalla</translation>
    </message>
    <message>
        <source>Movie keeps its proportions</source>
        <translation>El vídeo mantiene sus proporciones</translation>
    </message>
    <message>
        <source>Show a background picture</source>
        <translation>Mostrar una imagen de fondo</translation>
    </message>
    <message>
        <source>Show the sponsor logo</source>
        <translation>Mostrar el logotipo del patrocinador</translation>
    </message>
    <message>
        <source>Sponsor logo</source>
        <translation>Logotipo del patrocinador</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Carpetas</translation>
    </message>
    <message>
        <source>Visit</source>
        <translation>Visita</translation>
    </message>
    <message>
        <source>Packages and Prices</source>
        <translation>Paquetes y precios</translation>
    </message>
    <message>
        <source>Receipts and Printers</source>
        <translation>Tiques e impresoras</translation>
    </message>
    <message>
        <source>Attract Screen</source>
        <translation>Pantalla de espera</translation>
    </message>
    <message>
        <source>Codes and Texts</source>
        <translation>Códigos y textos</translation>
    </message>
    <message>
        <source>Release code</source>
        <translation>Código de liberación</translation>
    </message>
    <message>
        <source>Open preferences code</source>
        <translation>Código de apertura de preferencias</translation>
    </message>
    <message>
        <source>Quit code</source>
        <translation>Código de salida</translation>
    </message>
    <message>
        <source>Administrator keys code</source>
        <translation>Código de las teclas de administrador</translation>
    </message>
    <message>
        <source>Print Receipt</source>
        <translation>Imprimir tique</translation>
    </message>
    <message>
        <source>The printing service (CUPS) is not running, so no printer can be listed or used.</source>
        <translation>El servicio de impresión (CUPS) no está en marcha: no se puede listar ni usar ninguna impresora.</translation>
    </message>
    <message>
        <source>Seconds without a touch before &quot;Still there?&quot; (0: off)</source>
        <translation>Segundos sin tocar antes de «¿Sigue ahí?» (0: desactivado)</translation>
    </message>
    <message>
        <source>Use the secondary printer when the primary fails</source>
        <translation>Usar la impresora secundaria si falla la principal</translation>
    </message>
    <message>
        <source>not known</source>
        <translation>desconocido</translation>
    </message>
    <message>
        <source>No folder was chosen.</source>
        <translation>No se ha elegido ninguna carpeta.</translation>
    </message>
    <message>
        <source>The folder [%1] does not exist.</source>
        <translation>La carpeta [%1] no existe.</translation>
    </message>
    <message>
        <source>[%1] is not a folder.</source>
        <translation>[%1] no es una carpeta.</translation>
    </message>
    <message>
        <source>The folder [%1] cannot be read.</source>
        <translation>No se puede leer la carpeta [%1].</translation>
    </message>
    <message>
        <source>The folder [%1] cannot be written: %2</source>
        <translation>No se puede escribir en la carpeta [%1]: %2</translation>
    </message>
</context>
<context>
    <name>PrinterWatch</name>
    <message numerus="yes">
        <source>Receipt printer %1 has %n stuck job(s)</source>
        <translation>
            <numerusform>La impresora de tiques %1 tiene %n trabajo atascado</numerusform>
            <numerusform>La impresora de tiques %1 tiene %n trabajos atascados</numerusform>
        </translation>
    </message>
    <message>
        <source>Receipt printer %1 is missing</source>
        <translation>Falta la impresora de tiques %1</translation>
    </message>
    <message>
        <source>Receipt printer %1 is paused</source>
        <translation>La impresora de tiques %1 está en pausa</translation>
    </message>
    <message>
        <source>Receipt printer %1 is not accepting jobs</source>
        <translation>La impresora de tiques %1 no acepta trabajos</translation>
    </message>
    <message>
        <source>out of paper</source>
        <translation>sin papel</translation>
    </message>
    <message>
        <source>paper low</source>
        <translation>queda poco papel</translation>
    </message>
    <message>
        <source>paper jam</source>
        <translation>atasco de papel</translation>
    </message>
    <message>
        <source>out of ink or toner</source>
        <translation>sin tinta ni tóner</translation>
    </message>
    <message>
        <source>ink or toner low</source>
        <translation>queda poca tinta o tóner</translation>
    </message>
    <message>
        <source>cover open</source>
        <translation>tapa abierta</translation>
    </message>
    <message>
        <source>offline</source>
        <translation>desconectada</translation>
    </message>
    <message>
        <source>%1 at %2 %</source>
        <translation>%1 al %2 %</translation>
    </message>
    <message>
        <source>Receipt printer %1</source>
        <translation>Impresora de recibos %1</translation>
    </message>
    <message>
        <source>idle</source>
        <translation>inactiva</translation>
    </message>
    <message>
        <source>printing</source>
        <translation>imprimiendo</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>en pausa</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>ReceiptRenderer</name>
    <message>
        <source>PHOTO ORDER RECEIPT</source>
        <translation>TIQUE DE PEDIDO DE FOTOS</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Subtotal</translation>
    </message>
    <message>
        <source>Discount</source>
        <translation>Descuento</translation>
    </message>
    <message>
        <source>TOTAL</source>
        <translation>TOTAL</translation>
    </message>
    <message>
        <source>Prints</source>
        <translation>Copias</translation>
    </message>
    <message>
        <source>Promos</source>
        <translation>Promos</translation>
    </message>
    <message>
        <source>Your photos are being printed. Please keep this receipt.</source>
        <translation>Sus fotos se están imprimiendo. Guarde este tique, por favor.</translation>
    </message>
    <message>
        <source>Free Sheets</source>
        <translation>Copias gratis</translation>
    </message>
</context>
<context>
    <name>ReceiptRules</name>
    <message>
        <source>Thank You, %1 !</source>
        <translation>¡Gracias, %1!</translation>
    </message>
</context>
<context>
    <name>SelfTest</name>
    <message>
        <source>%1 entries, %2 of %3 MB in %4; %5 of %6 photos of today prepared</source>
        <translation>%1 entradas, %2 de %3 MB en %4; %5 de %6 fotos de hoy preparadas</translation>
    </message>
    <message>
        <source>Photo cache</source>
        <translation>Caché de fotos</translation>
    </message>
    <message>
        <source>Invoice folder</source>
        <translation>Carpeta de facturas</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>%1 does not hold a dictionary</source>
        <translation>%1 no contiene un diccionario</translation>
    </message>
    <message>
        <source>Codes</source>
        <translation>Códigos</translation>
    </message>
    <message>
        <source>Images folder</source>
        <translation>Carpeta de imágenes</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>sin definir</translation>
    </message>
    <message>
        <source>%1 is not there</source>
        <translation>%1 no está</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 no es una carpeta</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1: %2 (%3)</source>
        <translation>%1: %2 (%3)</translation>
    </message>
    <message>
        <source>cannot make a folder</source>
        <translation>no se puede crear una carpeta</translation>
    </message>
    <message>
        <source>%1: a second exclusive creation of a folder succeeded: two stations could open the same customer</source>
        <translation>%1: una segunda creación exclusiva de una carpeta ha funcionado: dos puestos podrían abrir el mismo cliente</translation>
    </message>
    <message>
        <source>a second creation of a folder failed for another reason</source>
        <translation>una segunda creación de una carpeta ha fallado por otro motivo</translation>
    </message>
    <message>
        <source>cannot read a folder&apos;s time</source>
        <translation>no se puede leer la hora de una carpeta</translation>
    </message>
    <message>
        <source>cannot create a file</source>
        <translation>no se puede crear un archivo</translation>
    </message>
    <message>
        <source>%1: a second exclusive creation of a file succeeded: two stations could open the same customer</source>
        <translation>%1: una segunda creación exclusiva de un archivo ha funcionado: dos puestos podrían abrir el mismo cliente</translation>
    </message>
    <message>
        <source>a second creation of a file failed for another reason</source>
        <translation>una segunda creación de un archivo ha fallado por otro motivo</translation>
    </message>
    <message>
        <source>cannot rename a file onto another</source>
        <translation>no se puede renombrar un archivo sobre otro</translation>
    </message>
    <message>
        <source>%1: a rename did not replace its target</source>
        <translation>%1: un cambio de nombre no ha sustituido su destino</translation>
    </message>
    <message>
        <source>%1: a folder&apos;s modification time does not move when a file is added: new photos would not be found</source>
        <translation>%1: la hora de modificación de una carpeta no cambia al añadir un archivo: no se encontrarían las fotos nuevas</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>no se puede escribir en %1: %2</translation>
    </message>
    <message>
        <source>cannot remove %1: %2</source>
        <translation>no se puede eliminar %1: %2</translation>
    </message>
    <message>
        <source>Order folder</source>
        <translation>Carpeta de pedidos</translation>
    </message>
    <message>
        <source>%1 is made at start</source>
        <translation>%1 se crea al arrancar</translation>
    </message>
    <message>
        <source>cannot make %1: %2</source>
        <translation>no se puede crear %1: %2</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Registro</translation>
    </message>
    <message>
        <source>no log file</source>
        <translation>no hay archivo de registro</translation>
    </message>
    <message>
        <source>cannot create %1</source>
        <translation>no se puede crear %1</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>no se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>Free disk space</source>
        <translation>Espacio libre en disco</translation>
    </message>
    <message>
        <source>cannot tell for %1</source>
        <translation>no se puede saber para %1</translation>
    </message>
    <message>
        <source>%1 reports no size, its free space is not known</source>
        <translation>%1 no indica tamaño, su espacio libre es desconocido</translation>
    </message>
    <message>
        <source>%1 has %2 free, needs %3</source>
        <translation>%1 tiene %2 libres, necesita %3</translation>
    </message>
    <message>
        <source>%1: no CUPS scheduler answers at %2</source>
        <translation>%1: ningún servidor CUPS responde en %2</translation>
    </message>
    <message>
        <source>%1 is not known to CUPS</source>
        <translation>%1 no es conocida por CUPS</translation>
    </message>
    <message>
        <source>%1 does not accept jobs</source>
        <translation>%1 no acepta trabajos</translation>
    </message>
    <message>
        <source>%1 is paused</source>
        <translation>%1 está en pausa</translation>
    </message>
    <message>
        <source>Catalogue</source>
        <translation>Catálogo</translation>
    </message>
    <message>
        <source>the site&apos;s catalogue is refused (%1); the shipped one is used</source>
        <translation>el catálogo del centro se rechaza (%1); se usa el que viene de serie</translation>
    </message>
    <message>
        <source>no packages to offer</source>
        <translation>ningún paquete que ofrecer</translation>
    </message>
    <message>
        <source>1 package from %1</source>
        <translation>1 paquete de %1</translation>
    </message>
    <message>
        <source>%1 packages from %2</source>
        <translation>%1 paquetes de %2</translation>
    </message>
    <message>
        <source>Session bus</source>
        <translation>Bus de sesión</translation>
    </message>
    <message>
        <source>no session bus answers</source>
        <translation>ningún bus de sesión responde</translation>
    </message>
    <message>
        <source>Print host</source>
        <translation>Equipo de impresión</translation>
    </message>
    <message>
        <source>no session bus to reach %1 on</source>
        <translation>no hay bus de sesión para llegar a %1</translation>
    </message>
    <message>
        <source>%1 is not on the session bus</source>
        <translation>%1 no está en el bus de sesión</translation>
    </message>
    <message>
        <source>Receipt printers</source>
        <translation>Impresoras de tiques</translation>
    </message>
    <message>
        <source>receipts are off</source>
        <translation>los tiques están desactivados</translation>
    </message>
    <message>
        <source>%1 is on but names no printer</source>
        <translation>%1 está activado pero no indica ninguna impresora</translation>
    </message>
    <message>
        <source>none turned on</source>
        <translation>ninguna activada</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>a list</source>
        <translation>una lista</translation>
    </message>
    <message>
        <source>a dictionary</source>
        <translation>un diccionario</translation>
    </message>
    <message>
        <source>data</source>
        <translation>datos</translation>
    </message>
    <message>
        <source>is not a whole number</source>
        <translation>no es un número entero</translation>
    </message>
    <message>
        <source>is not a number</source>
        <translation>no es un número</translation>
    </message>
    <message>
        <source>is not between %1 and %2</source>
        <translation>no está entre %1 y %2</translation>
    </message>
</context>
<context>
    <name>SiteCodes</name>
    <message>
        <source>A code has %1 to %2 characters.</source>
        <translation>Un código tiene de %1 a %2 caracteres.</translation>
    </message>
    <message>
        <source>The release code is digits only.</source>
        <translation>El código de liberación solo tiene cifras.</translation>
    </message>
    <message>
        <source>A command code is * followed by digits and ends with #.</source>
        <translation>Un código de orden es * seguido de cifras y termina en #.</translation>
    </message>
    <message>
        <source>The current code is not right.</source>
        <translation>El código actual no es correcto.</translation>
    </message>
    <message>
        <source>That code is already another code.</source>
        <translation>Ese código ya es otro código.</translation>
    </message>
    <message>
        <source>release code</source>
        <translation>código de liberación</translation>
    </message>
    <message>
        <source>open-preferences code</source>
        <translation>código de apertura de preferencias</translation>
    </message>
    <message>
        <source>quit code</source>
        <translation>código de salida</translation>
    </message>
    <message>
        <source>administrator-keys code</source>
        <translation>código de las teclas de administrador</translation>
    </message>
    <message>
        <source>Factory codes still in use, known to every station of this kind: %1. Choose the site&apos;s own in the preferences.</source>
        <translation>Códigos de fábrica aún en uso, conocidos por todos los puestos de este tipo: %1. Elija los del centro en las preferencias.</translation>
    </message>
</context>
<context>
    <name>StartupSteps</name>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 no es una carpeta</translation>
    </message>
    <message>
        <source>%1 is not writable</source>
        <translation>%1 no admite escritura</translation>
    </message>
    <message>
        <source>The folder could not be created (%1).</source>
        <translation>No se ha podido crear la carpeta (%1).</translation>
    </message>
</context>
<context>
    <name>ThumbnailCache</name>
    <message>
        <source>The photo cache %1 cannot be written (%2); photos show more slowly until it can</source>
        <translation>No se puede escribir la caché de fotos %1 (%2); las fotos se muestran más despacio mientras tanto</translation>
    </message>
</context>
<context>
    <name>kivo::AttractScreen</name>
    <message>
        <source>Sponsor logo</source>
        <translation>Logotipo del patrocinador</translation>
    </message>
</context>
<context>
    <name>kivo::CatalogueEditor</name>
    <message>
        <source>The catalogue [%1] cannot be read: %2</source>
        <translation>No se puede leer el catálogo [%1]: %2</translation>
    </message>
    <message>
        <source>The package in row %1 (%2) has no PLU.</source>
        <translation>El paquete de la fila %1 (%2) no tiene PLU.</translation>
    </message>
    <message>
        <source>The PLU %1 is listed twice.</source>
        <translation>El PLU %1 aparece dos veces.</translation>
    </message>
    <message>
        <source>The price of %1 is not a number: [%2].</source>
        <translation>El precio de %1 no es un número: [%2].</translation>
    </message>
    <message>
        <source>The type of %1 is [%2]; it must be Print, Flash or promo.</source>
        <translation>El tipo de %1 es [%2]; debe ser Print, Flash o promo.</translation>
    </message>
    <message>
        <source>The first-item PLU [%1] of %2 names no package.</source>
        <translation>El PLU del primer artículo [%1] de %2 no corresponde a ningún paquete.</translation>
    </message>
    <message>
        <source>No package is offered: the panel would be empty.</source>
        <translation>No se ofrece ningún paquete: el panel quedaría vacío.</translation>
    </message>
    <message>
        <source>The catalogue cannot be checked: %1</source>
        <translation>No se puede comprobar el catálogo: %1</translation>
    </message>
    <message>
        <source>The previous catalogue cannot be kept: %1</source>
        <translation>No se puede conservar el catálogo anterior: %1</translation>
    </message>
    <message>
        <source>The catalogue cannot be saved: %1</source>
        <translation>No se puede guardar el catálogo: %1</translation>
    </message>
</context>
<context>
    <name>kivo::CropEditor</name>
    <message>
        <source>Portrait</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Mover</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Girar</translation>
    </message>
    <message>
        <source>Crop</source>
        <translation>Recortar</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Seleccionar</translation>
    </message>
    <message>
        <source>Annotate</source>
        <translation>Anotar</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Alejar</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Acercar</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>First crop</source>
        <translation>Primer recorte</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
    <message>
        <source>Your crop position is out of bounds</source>
        <translation>Su recorte se sale de los límites</translation>
    </message>
    <message>
        <source>Reposition the picture to fill the crop region</source>
        <translation>Recoloque la foto para llenar la zona de recorte</translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation>Volver</translation>
    </message>
    <message>
        <source>Proceed anyway</source>
        <translation>Seguir igualmente</translation>
    </message>
    <message>
        <source>Crop Ticket</source>
        <translation>Ficha de recorte</translation>
    </message>
    <message>
        <source>The crop ticket could not be saved.
%1</source>
        <translation>No se ha podido guardar la ficha de recorte.
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
        <translation>Paquete</translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation>Cantidad</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Importe</translation>
    </message>
    <message>
        <source>Items per package</source>
        <translation>Artículos por paquete</translation>
    </message>
    <message>
        <source>Hour</source>
        <translation>Hora</translation>
    </message>
    <message>
        <source>Orders</source>
        <translation>Pedidos</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Subtotal</translation>
    </message>
    <message>
        <source>Discounts</source>
        <translation>Descuentos</translation>
    </message>
    <message>
        <source>Tax</source>
        <translation>Impuesto</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Sales per hour</source>
        <translation>Ventas por hora</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Día</translation>
    </message>
    <message>
        <source>Previous Day</source>
        <translation>Día anterior</translation>
    </message>
    <message>
        <source>Next Day</source>
        <translation>Día siguiente</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Resumen</translation>
    </message>
    <message>
        <source>Cross-check of order files and invoices</source>
        <translation>Comprobación cruzada de archivos de pedido y facturas</translation>
    </message>
    <message>
        <source>Cross-check</source>
        <translation>Comprobación cruzada</translation>
    </message>
    <message>
        <source>The report cannot be made: %1</source>
        <translation>No se puede hacer el informe: %1</translation>
    </message>
    <message>
        <source>Orders: %1. Total: %2.</source>
        <translation>Pedidos: %1. Total: %2.</translation>
    </message>
    <message>
        <source>Orders whose tax is not known (no print job with totals): %1.</source>
        <translation>Pedidos con impuesto desconocido (sin impresión con totales): %1.</translation>
    </message>
    <message>
        <source>Tax not known</source>
        <translation>Impuesto desconocido</translation>
    </message>
    <message>
        <source>Every order file matches its invoice.</source>
        <translation>Cada archivo de pedido coincide con su factura.</translation>
    </message>
</context>
<context>
    <name>kivo::EditableTextSheet</name>
    <message>
        <source>Editable Text Items</source>
        <translation>Textos editables</translation>
    </message>
    <message>
        <source>Texts every order carries to the print host:</source>
        <translation>Textos que cada pedido lleva al equipo de impresión:</translation>
    </message>
    <message>
        <source>Add Item</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
    <message>
        <source>Selected item</source>
        <translation>Elemento elegido</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Bajar</translation>
    </message>
</context>
<context>
    <name>kivo::ImageBrowserView</name>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
</context>
<context>
    <name>kivo::InstructionSheet</name>
    <message>
        <source>How to Choose Your Photos</source>
        <translation>Cómo elegir sus fotos</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Instrucciones</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>kivo::KeypadSheet</name>
    <message>
        <source>Photo ID</source>
        <translation>Número de foto</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Admin</source>
        <translation>Admin</translation>
    </message>
    <message>
        <source>Quit App</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Open Pref</source>
        <translation>Pref.</translation>
    </message>
    <message>
        <source>Hide
Keys</source>
        <translation>Ocultar
Teclas</translation>
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
        <translation>Elija sus fotos</translation>
    </message>
    <message>
        <source>Touch the photos you would like to buy</source>
        <translation>Toque las fotos que quiera comprar</translation>
    </message>
    <message>
        <source>Marked photos</source>
        <translation>Fotos elegidas</translation>
    </message>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
    <message>
        <source>Instructions</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Unmark All</source>
        <translation>Desmarcar todo</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>TOO MANY IMAGES SELECTED!!!!...</source>
        <translation>¡¡¡¡DEMASIADAS FOTOS ELEGIDAS!!!!...</translation>
    </message>
    <message>
        <source>Selected [%1] images EXCEEDS kMaxImagesItems of [%2].</source>
        <translation>[%1] fotos elegidas SUPERAN kMaxImagesItems de [%2].</translation>
    </message>
</context>
<context>
    <name>kivo::MaskView</name>
    <message>
        <source>8 x 10 Crop Region</source>
        <translation>Zona de recorte 8 x 10</translation>
    </message>
    <message>
        <source>5 x 7 Crop Region</source>
        <translation>Zona de recorte 5 x 7</translation>
    </message>
</context>
<context>
    <name>kivo::OrderReleaseBridge</name>
    <message>
        <source>Your order could not be saved. Please ask a member of staff for help.</source>
        <translation>No se ha podido guardar su pedido. Pida ayuda a un empleado, por favor.</translation>
    </message>
    <message>
        <source>The order files of %1 were not written.</source>
        <translation>No se han escrito los archivos de pedido de %1.</translation>
    </message>
    <message>
        <source>The order of %1 was not saved: the %2 file was not written: %3</source>
        <translation>No se ha guardado el pedido de %1: no se ha escrito el archivo %2: %3</translation>
    </message>
</context>
<context>
    <name>kivo::OrderSummaryModel</name>
    <message>
        <source>&lt;unknown&gt;</source>
        <translation>&lt;desconocido&gt;</translation>
    </message>
</context>
<context>
    <name>kivo::OrderSummarySheet</name>
    <message>
        <source>Your Order</source>
        <translation>Su pedido</translation>
    </message>
    <message>
        <source>Order summary</source>
        <translation>Resumen del pedido</translation>
    </message>
    <message>
        <source>Page Up</source>
        <translation>Página anterior</translation>
    </message>
    <message>
        <source>Page Down</source>
        <translation>Página siguiente</translation>
    </message>
    <message>
        <source>Subtotal</source>
        <translation>Subtotal</translation>
    </message>
    <message>
        <source>Discount</source>
        <translation>Descuento</translation>
    </message>
    <message>
        <source>Tax</source>
        <translation>Impuesto</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Item count</source>
        <translation>Número de artículos</translation>
    </message>
    <message>
        <source>Free items</source>
        <translation>Artículos gratis</translation>
    </message>
    <message>
        <source>Start Over</source>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Edit Order</source>
        <translation>Modificar</translation>
    </message>
    <message>
        <source>Accept Order</source>
        <translation>Aceptar pedido</translation>
    </message>
    <message>
        <source>PLEASE CALL FOR SALES PERSON</source>
        <translation>LLAME A UN VENDEDOR, POR FAVOR</translation>
    </message>
    <message>
        <source>To Continue This PURCHASE,
Please Call for a Sales Person.
Thank You.</source>
        <translation>Para completar esta COMPRA,
llame a un vendedor, por favor.
Gracias.</translation>
    </message>
    <message>
        <source>Go Back</source>
        <translation>Volver</translation>
    </message>
    <message>
        <source>Attendant...</source>
        <translation>Vendedor...</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n artículo</numerusform>
            <numerusform>%n artículos</numerusform>
        </translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
    <message>
        <source>Free Sheets</source>
        <translation>Copias gratis</translation>
    </message>
    <message>
        <source>Qty</source>
        <translation>Cant.</translation>
    </message>
    <message>
        <source>Package</source>
        <translation>Paquete</translation>
    </message>
    <message>
        <source>Each</source>
        <translation>Precio</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Importe</translation>
    </message>
</context>
<context>
    <name>kivo::OutOfServiceScreen</name>
    <message>
        <source>Out of Service</source>
        <translation>Fuera de servicio</translation>
    </message>
    <message>
        <source>This station cannot take orders at the moment.
Please ask a member of staff, or use another station.</source>
        <translation>Este puesto no puede tomar pedidos en este momento.
Pregunte a un empleado o use otro puesto, por favor.</translation>
    </message>
    <message>
        <source>Reasons</source>
        <translation>Motivos</translation>
    </message>
    <message>
        <source>Checking again at %1</source>
        <translation>Nueva comprobación a las %1</translation>
    </message>
</context>
<context>
    <name>kivo::PackagePanelModel</name>
    <message>
        <source>Special Pkg#%1</source>
        <translation>Paquete especial n.º %1</translation>
    </message>
    <message>
        <source>Regular Pkg#%1</source>
        <translation>Paquete normal n.º %1</translation>
    </message>
</context>
<context>
    <name>kivo::PackagePanelView</name>
    <message>
        <source>Buy</source>
        <translation>Comprar</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>▼ More packages below ▼</source>
        <extracomment>Over the foot of the package rows while more of them lie below.</extracomment>
        <translation>▼ Más paquetes abajo ▼</translation>
    </message>
</context>
<context>
    <name>kivo::PhotoEditingWindow</name>
    <message>
        <source>Edit Photo</source>
        <translation>Editar foto</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Abrir...</translation>
    </message>
    <message>
        <source>Please Select A Photo...</source>
        <translation>Elija una foto...</translation>
    </message>
    <message>
        <source>Photos (*.jpg *.jpeg *.png *.tif *.tiff)</source>
        <translation>Fotos (*.jpg *.jpeg *.png *.tif *.tiff)</translation>
    </message>
</context>
<context>
    <name>kivo::PhotoGridView</name>
    <message>
        <source>Photos</source>
        <translation>Fotos</translation>
    </message>
</context>
<context>
    <name>kivo::PhotoPreview</name>
    <message>
        <source>Selected photo</source>
        <translation>Foto elegida</translation>
    </message>
    <message>
        <source>This photo cannot be shown</source>
        <translation>Esta foto no se puede mostrar</translation>
    </message>
</context>
<context>
    <name>kivo::PreferencesModel</name>
    <message>
        <source>Choose the printer first.</source>
        <translation>Elija primero la impresora.</translation>
    </message>
    <message>
        <source>There is no printer [%1]: choose one that exists.</source>
        <translation>No existe la impresora [%1]: elija una que exista.</translation>
    </message>
    <message>
        <source>[%1] is not a setting of the sheet.</source>
        <translation>[%1] no es un ajuste de la hoja.</translation>
    </message>
    <message>
        <source>%1: [%2] is not a whole number.</source>
        <translation>%1: [%2] no es un número entero.</translation>
    </message>
    <message>
        <source>%1: %2 is not between %3 and %4.</source>
        <translation>%1: %2 no está entre %3 y %4.</translation>
    </message>
    <message>
        <source>%1: [%2] is not a number.</source>
        <translation>%1: [%2] no es un número.</translation>
    </message>
    <message>
        <source>%1 is chosen with its button.</source>
        <translation>%1 se elige con su botón.</translation>
    </message>
    <message>
        <source>The file [%1] does not exist.</source>
        <translation>El archivo [%1] no existe.</translation>
    </message>
    <message>
        <source>The file [%1] cannot be read.</source>
        <translation>No se puede leer el archivo [%1].</translation>
    </message>
    <message>
        <source>[%1] is not one of: %2.</source>
        <translation>[%1] no es uno de: %2.</translation>
    </message>
    <message>
        <source>The settings file could not be read, so the factory settings apply: %1</source>
        <translation>No se ha podido leer el archivo de ajustes, se aplican los de fábrica: %1</translation>
    </message>
    <message>
        <source>on</source>
        <translation>activado</translation>
    </message>
    <message>
        <source>off</source>
        <translation>desactivado</translation>
    </message>
    <message>
        <source>%1 holds [%2], which is not a value of its kind; it is read as [%3]. Set it again to mend it.</source>
        <translation>%1 contiene [%2], que no es un valor de su tipo; se lee como [%3]. Vuelva a ajustarlo para corregirlo.</translation>
    </message>
    <message>
        <source>%1 is on, but there is no printer [%2] now.</source>
        <translation>%1 está activado, pero ahora no existe la impresora [%2].</translation>
    </message>
    <message>
        <source>The daily folder name needs a date pattern.</source>
        <translation>El nombre de la carpeta del día necesita un patrón de fecha.</translation>
    </message>
    <message>
        <source>The settings cannot be saved: %1. The change is kept and saved as soon as there is room.</source>
        <translation>No se pueden guardar los ajustes: %1. El cambio se conserva y se guarda en cuanto haya espacio.</translation>
    </message>
    <message>
        <source>%1 holds %2, which is not between %3 and %4, so it is not used. Set it again to mend it.</source>
        <translation>%1 contiene %2, que no está entre %3 y %4, así que no se usa. Vuelva a ajustarlo para corregirlo.</translation>
    </message>
</context>
<context>
    <name>kivo::PreferencesSheet</name>
    <message>
        <source>Preferences</source>
        <translation>Preferencias</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>Example</source>
        <translation>Ejemplo</translation>
    </message>
    <message>
        <source>Editable Text Items...</source>
        <translation>Textos editables...</translation>
    </message>
    <message>
        <source>Index tool</source>
        <translation>Herramienta de índice</translation>
    </message>
    <message>
        <source>Live index</source>
        <translation>Índice en vivo</translation>
    </message>
    <message>
        <source>Folder scan</source>
        <translation>Recorrido de carpeta</translation>
    </message>
    <message>
        <source>Choose...</source>
        <translation>Elegir...</translation>
    </message>
    <message>
        <source>Choose %1</source>
        <translation>Elegir %1</translation>
    </message>
    <message>
        <source>Packages offered on the panel, in panel order:</source>
        <translation>Paquetes ofrecidos en el panel, en el orden del panel:</translation>
    </message>
    <message>
        <source>Packages</source>
        <translation>Paquetes</translation>
    </message>
    <message>
        <source>Number of first items</source>
        <translation>Número de primeros artículos</translation>
    </message>
    <message>
        <source>Add Package</source>
        <translation>Añadir paquete</translation>
    </message>
    <message>
        <source>Remove Package</source>
        <translation>Quitar paquete</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Bajar</translation>
    </message>
    <message>
        <source>Revert Packages</source>
        <translation>Restaurar paquetes</translation>
    </message>
    <message>
        <source>Save Packages</source>
        <translation>Guardar paquetes</translation>
    </message>
    <message>
        <source>Saved. The packages are offered from the next start of the station.</source>
        <translation>Guardado. Los paquetes se ofrecen desde el próximo arranque del puesto.</translation>
    </message>
    <message>
        <source>Not saved: %1 The packages in force stay.</source>
        <translation>No guardado: %1 Siguen los paquetes vigentes.</translation>
    </message>
    <message>
        <source>Code to change</source>
        <translation>Código que cambiar</translation>
    </message>
    <message>
        <source>Current code</source>
        <translation>Código actual</translation>
    </message>
    <message>
        <source>New code</source>
        <translation>Código nuevo</translation>
    </message>
    <message>
        <source>New code again</source>
        <translation>Repita el código nuevo</translation>
    </message>
    <message>
        <source>Change Code</source>
        <translation>Cambiar código</translation>
    </message>
    <message>
        <source>The new code and its repetition differ.</source>
        <translation>El código nuevo y su repetición no coinciden.</translation>
    </message>
    <message>
        <source>%1 changed.</source>
        <translation>%1 cambiado.</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(ninguna)</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Elegir</translation>
    </message>
    <message>
        <source>Please Select Your Images Folder...</source>
        <translation>Elija su carpeta de imágenes...</translation>
    </message>
    <message>
        <source>Please Select The PendingInvoiceFolder...</source>
        <translation>Elija la carpeta de facturas pendientes...</translation>
    </message>
    <message>
        <source>Please Select The Local Server Path...</source>
        <translation>Elija la ruta del servidor local...</translation>
    </message>
    <message>
        <source>Please Select The Receipts Folder...</source>
        <translation>Elija la carpeta de tiques...</translation>
    </message>
    <message>
        <source>Please Select A Movie...</source>
        <translation>Elija un vídeo...</translation>
    </message>
    <message>
        <source>Please Select The Sponsor Logo...</source>
        <translation>Elija el logotipo del patrocinador...</translation>
    </message>
    <message>
        <source>Day Report</source>
        <translation>Informe del día</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Crop Editor...</source>
        <translation>Editor de recorte...</translation>
    </message>
    <message>
        <source>Selected cell</source>
        <translation>Celda elegida</translation>
    </message>
    <message>
        <source>Nothing to report.</source>
        <translation>Nada que informar.</translation>
    </message>
    <message>
        <source>No path was given.</source>
        <translation>No se ha indicado ninguna ruta.</translation>
    </message>
    <message>
        <source>Receipt printers</source>
        <translation>Impresoras de recibos</translation>
    </message>
    <message>
        <source>Receipt printer</source>
        <translation>Impresora de recibos</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Reasons</source>
        <translation>Motivos</translation>
    </message>
    <message>
        <source>Levels</source>
        <translation>Niveles</translation>
    </message>
    <message>
        <source>Health</source>
        <translation>Salud</translation>
    </message>
    <message>
        <source>not accepting jobs</source>
        <translation>no acepta trabajos</translation>
    </message>
    <message>
        <source>%1 %2 %</source>
        <translation>%1 %2 %</translation>
    </message>
    <message>
        <source>%1 unknown</source>
        <translation>%1 desconocido</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>no encontrada</translation>
    </message>
</context>
<context>
    <name>kivo::ReceiptNamePromptDialog</name>
    <message>
        <source>Your Name</source>
        <translation>Su nombre</translation>
    </message>
    <message>
        <source>Please enter your name for the receipt</source>
        <translation>Escriba su nombre para el tique</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Espacio</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
</context>
<context>
    <name>kivo::SalesSession</name>
    <message>
        <source>Initializing System...</source>
        <translation>Iniciando el sistema...</translation>
    </message>
    <message>
        <source>UNABLE to Find REQUIRED Volumes...
You may need to setup your prefs...?</source>
        <translation>NO se encuentran los volúmenes NECESARIOS...
¿Quizá haya que revisar las preferencias...?</translation>
    </message>
    <message>
        <source>Open Preferences...</source>
        <translation>Abrir preferencias...</translation>
    </message>
    <message>
        <source>Please Enter/Scan Your Photo ID</source>
        <translation>Escriba o escanee su número de foto</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>Please Enter Another ID</source>
        <translation>Escriba otro número</translation>
    </message>
    <message>
        <source>If NO More ID, Just Hit Enter.</source>
        <translation>Si no hay más números, pulse Aceptar.</translation>
    </message>
    <message>
        <source>Sorry - Your ID [%1] Is In Use By Another System...</source>
        <translation>Lo sentimos - su número [%1] lo está usando otro puesto...</translation>
    </message>
    <message>
        <source>No Images Found for ID: [%1]</source>
        <translation>No hay fotos para el número: [%1]</translation>
    </message>
    <message>
        <source>Are You Sure You Want to Cancel This Order?</source>
        <translation>¿Seguro que quiere cancelar este pedido?</translation>
    </message>
    <message>
        <source>Cancel Order</source>
        <translation>Sí, cancelar</translation>
    </message>
    <message>
        <source>Resume Order</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>Enter Release Code...</source>
        <translation>Escriba el código de liberación...</translation>
    </message>
    <message>
        <source>Please Contact Sales For Help...</source>
        <translation>Pida ayuda a un vendedor, por favor...</translation>
    </message>
    <message>
        <source>UNABLE to Save This Order...
%1</source>
        <translation>NO se puede guardar este pedido...
%1</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>Back to Order</source>
        <translation>Volver</translation>
    </message>
    <message>
        <source>Please call a staff member: %1</source>
        <translation>Llame a un empleado, por favor: %1</translation>
    </message>
    <message>
        <source>Enter the Administrator Code...</source>
        <translation>Escriba el código de administrador...</translation>
    </message>
    <message>
        <source>Enter the Quit Code...</source>
        <translation>Escriba el código de salida...</translation>
    </message>
    <message>
        <source>Staff Only - Enter With No Code to Go Back.</source>
        <translation>Solo personal - Aceptar sin código para volver.</translation>
    </message>
    <message>
        <source>Searching For Your Photos...</source>
        <translation>Buscando sus fotos...</translation>
    </message>
    <message>
        <source>The order of %1 was not saved: the photos cannot be read, their folder %2 does not answer (is the share there?)</source>
        <translation>No se ha guardado el pedido de %1: no se pueden leer las fotos, su carpeta %2 no responde (¿está la carpeta compartida?)</translation>
    </message>
    <message>
        <source>This photo can no longer be printed: %1. It has been taken off your order and nothing was charged for it; please look over your order again.</source>
        <translation>Esta foto ya no se puede imprimir: %1. Se ha quitado de su pedido y no se ha cobrado nada por ella; revise de nuevo su pedido, por favor.</translation>
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
        <translation>Procesando su pedido...</translation>
    </message>
    <message numerus="yes">
        <source>ID %1: %n photo(s)</source>
        <translation>
            <numerusform>N.º %1: %n foto</numerusform>
            <numerusform>N.º %1: %n fotos</numerusform>
        </translation>
    </message>
    <message>
        <source>The changed package catalogue is not used (%1); the station sells from the one it had.</source>
        <translation>El catálogo de paquetes cambiado no se usa (%1); el puesto vende con el que tenía.</translation>
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
        <translation>Elija sus paquetes para esta foto</translation>
    </message>
    <message>
        <source>Start Over</source>
        <translation>Reiniciar</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Volver</translation>
    </message>
    <message>
        <source>Show Summary</source>
        <translation>Mi pedido</translation>
    </message>
    <message>
        <source>Previous Photos</source>
        <translation>Fotos anteriores</translation>
    </message>
    <message>
        <source>More Photos</source>
        <translation>Más fotos</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Sponsor logo</source>
        <translation>Logotipo del patrocinador</translation>
    </message>
    <message>
        <source>This photo cannot be ordered: it cannot be shown whole. Please choose another photo.</source>
        <translation>Esta foto no se puede pedir: no se puede mostrar entera. Elija otra foto, por favor.</translation>
    </message>
</context>
<context>
    <name>kivo::SellingTotalsView</name>
    <message>
        <source>Photo subtotal</source>
        <translation>Total foto</translation>
    </message>
    <message>
        <source>Order subtotal</source>
        <translation>Total pedido</translation>
    </message>
    <message>
        <source>Print items</source>
        <translation>Copias</translation>
    </message>
    <message>
        <source>USB items</source>
        <translation>Memorias USB</translation>
    </message>
    <message>
        <source>Photo sheets</source>
        <translation>Hojas foto</translation>
    </message>
    <message>
        <source>Order sheets</source>
        <translation>Hojas pedido</translation>
    </message>
</context>
<context>
    <name>kivo::StationApp</name>
    <message>
        <source>About %1...</source>
        <translation>Acerca de %1...</translation>
    </message>
    <message>
        <source>Preferences...</source>
        <translation>Preferencias...</translation>
    </message>
    <message>
        <source>Hide %1...</source>
        <translation>Ocultar %1...</translation>
    </message>
    <message>
        <source>Quit %1...</source>
        <translation>Salir de %1...</translation>
    </message>
    <message>
        <source>PROBLEM WITH SETUP!!!!...</source>
        <translation>¡¡¡¡PROBLEMA DE CONFIGURACIÓN!!!!...</translation>
    </message>
    <message>
        <source>Unable to create needed folder at path:
[%1]
Error:
%2</source>
        <translation>No se puede crear la carpeta necesaria en la ruta:
[%1]
Error:
%2</translation>
    </message>
    <message>
        <source>The settings cannot be saved (%1); the changes are kept and saved once there is room.</source>
        <translation>No se pueden guardar los ajustes (%1); los cambios se conservan y se guardan en cuanto haya espacio.</translation>
    </message>
    <message>
        <source>The metrics cannot be served on port %1.</source>
        <translation>Las métricas no se pueden servir en el puerto %1.</translation>
    </message>
    <message>
        <source>Settings that cannot be used: %1</source>
        <translation>Ajustes que no se pueden usar: %1</translation>
    </message>
</context>
<context>
    <name>kivo::StillTherePrompt</name>
    <message>
        <source>Still there?</source>
        <translation>¿Sigue ahí?</translation>
    </message>
    <message>
        <source>I&apos;m Still Here</source>
        <translation>Sigo aquí</translation>
    </message>
    <message numerus="yes">
        <source>Touch the screen to keep your order.
It will be cleared in %n second(s).</source>
        <translation>
            <numerusform>Toque la pantalla para conservar su pedido.
Se borrará en %n segundo.</numerusform>
            <numerusform>Toque la pantalla para conservar su pedido.
Se borrará en %n segundos.</numerusform>
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
        <translation>Foto ampliada</translation>
    </message>
    <message>
        <source>This photo cannot be shown</source>
        <translation>Esta foto no se puede mostrar</translation>
    </message>
    <message>
        <source>Sample Print</source>
        <translation>Copia de muestra</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>kivo::ZoomableImageView</name>
    <message>
        <source>Photo</source>
        <translation>Foto</translation>
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
        <translation>Uso: kivo-sales-station [--self-test | --help | --version]
  --self-test  comprueba ajustes, carpetas, catálogo, bus, equipo de impresión,
               impresoras de tiques, registro y espacio en disco; una línea cada uno;
               estado de salida 0 solo si todas las comprobaciones han pasado
  --help       muestra este texto
  --version    muestra la versión
</translation>
    </message>
</context>
</TS>
