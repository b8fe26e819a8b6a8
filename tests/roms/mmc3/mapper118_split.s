; Mapper 118 split screen (three bands, see split_common.inc), armed once per frame: this
; board's counter reloads itself after each IRQ and stays enabled, so the second split needs
; no register write at all.

IRQCOUNTER = $C000         ; the counter itself, plus one
IRQRELOAD  = $C001         ; the value after each IRQ, plus one
IRQENABLE  = $E001

.segment "HEADER"
  .byte "NES", $1A, 4, 2, $61, $70  ; 4 x 16 KB PRG, 2 x 8 KB CHR, mapper 118
  .res 8, 0

.include "split_common.inc"

.segment "CODE"
; The first IRQ comes on visible line 80, the reload brings the next one 80 lines later.
nmi:
  ldx #0
  stx split
  ldy bands
  sty BANKDATA
  lda #80 - 1
  sta IRQRELOAD
  lda #80
  sta IRQCOUNTER
  sta IRQENABLE
  rti
irq:
  ldx split
  inx
  stx split
  ldy bands, x
  sty BANKDATA
  rti
