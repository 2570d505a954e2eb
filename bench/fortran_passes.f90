! The reference for the trace: the two reads of a pressure file as list-
! directed Fortran does them, each line traced to "wdr.txt" on unit 19 with
! the same records the viewer writes. The scan counts each block's lines
! (one READ of the angle a line); the second read takes angle and pressure.
! A block ends at the first angle that reaches its end angle; five lines
! stand between blocks, nine before the first.
! usage: fortran_passes CIS IKM END_1 ... END_IKM   (run by fortran_trace_compare.py)
program fortran_passes
  implicit none
  character(len=4096) :: cis, arg
  integer :: ikm, k, j, c, ios, ilkat
  real :: tabpsi(2, 20), pom
  real, allocatable :: katcis(:, :), ciss(:, :)

  call get_command_argument(1, cis)
  call get_command_argument(2, arg)
  read (arg, *) ikm
  do k = 1, ikm
    call get_command_argument(2 + k, arg)
    read (arg, *) tabpsi(2, k)
  end do
  open (19, file='wdr.txt', status='replace')

  open (21, file=cis, status='old')
  call skip(9)
  ilkat = 0
  c = 0
  do k = 1, ikm
    c = 0
    do
      read (21, *, iostat=ios) pom
      if (ios /= 0) exit
      write (19, *) 'nrkln=', k, 'ikm=', ikm, 'pom=', pom, 'tabpsi((NrKln-1)*2+2)=', tabpsi(2, k)
      if (pom < tabpsi(2, k)) then
        c = c + 1
        cycle
      end if
      ilkat = max(ilkat, c + 1)
      write (19, *) 'nrkln,ikm=', k, ikm
      if (k < ikm) call skip(5)
      exit
    end do
  end do
  ilkat = max(ilkat, c)
  close (21)

  allocate (katcis(ikm, ilkat), ciss(ikm, ilkat))
  katcis = 0.0
  ciss = 0.0
  open (21, file=cis, status='old')
  call skip(9)
  write (19, *) 'ilkat=', ilkat
  blocks: do k = 1, ikm
    do j = 1, ilkat
      write (19, *) 'nrcis=', j
      read (21, *, iostat=ios) katcis(k, j), ciss(k, j)
      if (ios /= 0) exit blocks
      if (tabpsi(2, k) <= katcis(k, j)) then
        if (k < ikm) call skip(5)
        exit
      end if
    end do
  end do blocks
  close (21)
  close (19)
  print *, ilkat, sum(ciss)

contains

  ! Reads past n lines of unit 21.
  subroutine skip(n)
    integer, intent(in) :: n
    integer :: line
    do line = 1, n
      read (21, *)
    end do
  end subroutine skip
end program fortran_passes
